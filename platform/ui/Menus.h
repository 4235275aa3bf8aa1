#pragma once
// The main menu of a form and its items.

#include "platform/ui/Handlers.h"
#include "platform/ui/Property.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QMenu;

class TMenuItem : public QObject {
    Q_OBJECT

    QString GetCaption() const;
    void SetCaption(const QString& caption);
    bool GetEnabled() const;
    void SetEnabled(const bool& enabled);
    bool GetVisible() const;
    void SetVisible(const bool& visible);

public:
    explicit TMenuItem(TComponent* AOwner = nullptr);
    ~TMenuItem() override;

    // An "&" underlines the next letter, which selects the item from the keyboard.
    Property<TMenuItem, QString, &TMenuItem::GetCaption, &TMenuItem::SetCaption> Caption{this};
    Property<TMenuItem, bool, &TMenuItem::GetEnabled, &TMenuItem::SetEnabled> Enabled{this};
    Property<TMenuItem, bool, &TMenuItem::GetVisible, &TMenuItem::SetVisible> Visible{this};
    TNotifyEvent OnClick;

    // Makes `item` the last sub-item of this one.
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* operator[](int index) const { return Items(index); }
    TMenuItem* Parent() const { return parent_; }

    // Runs OnClick through the handler guard, as choosing the item does.
    void Click();

    // What menus and menu bars show for this item.
    QAction* Action() const { return action_; }

signals:
    // The list of sub-items has changed.
    void Changed();

private:
    void RebuildMenu();

    QAction* action_;
    std::unique_ptr<QMenu> menu_; // the drop-down of the sub-items, once there are any
    std::vector<TMenuItem*> items_;
    QPointer<TMenuItem> parent_;
};

class TMainMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<TMenuItem> root_;

public:
    explicit TMainMenu(TComponent* AOwner = nullptr);
    ~TMainMenu() override;

    // The items of the menu bar.
    TMenuItem* const Items;

signals:
    void Changed();
};
