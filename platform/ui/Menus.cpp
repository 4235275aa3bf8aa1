#include "platform/ui/Menus.h"

#include "platform/ui/Application.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

TMenuItem::TMenuItem(TComponent* AOwner)
    : action_(new QAction(this)) {
    connect(action_, &QAction::triggered, this, [this] { Click(); });
    AttachToOwner(*this, AOwner);
}

TMenuItem::~TMenuItem() {
    if (parent_)
        parent_->Remove(this);
    for (TMenuItem* item : items_)
        item->parent_ = nullptr;
    action_->setMenu(static_cast<QMenu*>(nullptr));
}

QString TMenuItem::GetCaption() const {
    return action_->text();
}
void TMenuItem::SetCaption(const QString& caption) {
    action_->setText(caption);
}
bool TMenuItem::GetEnabled() const {
    return action_->isEnabled();
}
void TMenuItem::SetEnabled(const bool& enabled) {
    action_->setEnabled(enabled);
}
bool TMenuItem::GetVisible() const {
    return action_->isVisible();
}
void TMenuItem::SetVisible(const bool& visible) {
    action_->setVisible(visible);
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_)
        item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    if (!item->parent())
        item->setParent(this); // an item without an owner goes with its menu
    RebuildMenu();
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end())
        return;
    items_.erase(found);
    item->parent_ = nullptr;
    RebuildMenu();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::RebuildMenu() {
    if (!items_.empty() && !menu_) {
        menu_ = std::make_unique<QMenu>();
        action_->setMenu(menu_.get());
    }
    if (menu_) {
        menu_->clear();
        for (TMenuItem* item : items_)
            menu_->addAction(item->Action());
    }
    emit Changed();
}

void TMenuItem::Click() {
    Fire(OnClick, this);
}

TMainMenu::TMainMenu(TComponent* AOwner)
    : root_(std::make_unique<TMenuItem>())
    , Items(root_.get()) {
    connect(Items, &TMenuItem::Changed, this, &TMainMenu::Changed);
    AttachToOwner(*this, AOwner);
}

TMainMenu::~TMainMenu() = default;
