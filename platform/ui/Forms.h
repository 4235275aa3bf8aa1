#pragma once
// Forms: the program's windows. A form is a top-level window whose client area holds its controls; its
// event handlers are methods of the form class, connected in its constructor.

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Property.h"
#include "platform/ui/Sets.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QEventLoop;
class QMenuBar;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;

class TForm : public QWidget {
    Q_OBJECT

    QString GetCaption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    int GetClientWidth() const;
    void SetClientWidth(const int& width);
    int GetClientHeight() const;
    void SetClientHeight(const int& height);
    int GetLeft() const { return x(); }
    void SetLeft(const int& left) { move(left, y()); }
    int GetTop() const { return y(); }
    void SetTop(const int& top) { move(x(), top); }
    int GetWidth() const { return width(); }
    void SetWidth(const int& width);
    int GetHeight() const { return height(); }
    void SetHeight(const int& height);
    TPosition GetPosition() const { return position_; }
    void SetPosition(const TPosition& position) { position_ = position; }
    TBorderIcons GetBorderIcons() const { return borderIcons_; }
    void SetBorderIcons(const TBorderIcons& icons);
    TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(const TFormBorderStyle& style);
    TColor GetColor() const { return color_; }
    void SetColor(const TColor& color);
    bool GetCtl3D() const { return ctl3D_; }
    void SetCtl3D(const bool& ctl3D) { ctl3D_ = ctl3D; }
    TMainMenu* GetMenu() const { return menu_; }
    void SetMenu(TMainMenu* const& menu);
    TModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(const TModalResult& result);
    bool GetVisible() const { return isVisible(); }
    void SetVisible(const bool& visible);

    // Declared before Font, which points into it.
    std::unique_ptr<TFont> font_;

public:
    // The owner destroys the form when it goes; the application frees what it owns at the end of the run.
    explicit TForm(TComponent* AOwner = nullptr);
    ~TForm() override;

    Property<TForm, QString, &TForm::GetCaption, &TForm::SetCaption> Caption{this};
    Property<TForm, int, &TForm::GetClientWidth, &TForm::SetClientWidth> ClientWidth{this};
    Property<TForm, int, &TForm::GetClientHeight, &TForm::SetClientHeight> ClientHeight{this};
    Property<TForm, int, &TForm::GetLeft, &TForm::SetLeft> Left{this};
    Property<TForm, int, &TForm::GetTop, &TForm::SetTop> Top{this};
    Property<TForm, int, &TForm::GetWidth, &TForm::SetWidth> Width{this};
    Property<TForm, int, &TForm::GetHeight, &TForm::SetHeight> Height{this};
    Property<TForm, TPosition, &TForm::GetPosition, &TForm::SetPosition> Position{this};
    // Empty: the title bar shows no system menu and no minimise, maximise or close box.
    Property<TForm, TBorderIcons, &TForm::GetBorderIcons, &TForm::SetBorderIcons> BorderIcons{this};
    Property<TForm, TFormBorderStyle, &TForm::GetBorderStyle, &TForm::SetBorderStyle> BorderStyle{this};
    Property<TForm, TColor, &TForm::GetColor, &TForm::SetColor> Color{this};
    // Kept for the form code; controls are drawn flat either way.
    Property<TForm, bool, &TForm::GetCtl3D, &TForm::SetCtl3D> Ctl3D{this};
    // Shown as a menu bar above the client area; the client area keeps its size.
    Property<TForm, TMainMenu*, &TForm::GetMenu, &TForm::SetMenu> Menu{this};
    // Setting it to anything but mrNone inside ShowModal ends the modal loop.
    Property<TForm, TModalResult, &TForm::GetModalResult, &TForm::SetModalResult> ModalResult{this};
    Property<TForm, bool, &TForm::GetVisible, &TForm::SetVisible> Visible{this};
    // "Tahoma" 8 pt unless the form sets another.
    TFont* const Font;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    void Show();
    void Hide() { hide(); }
    // Shows the form application-modal and returns its ModalResult once the modal loop has ended.
    TModalResult ShowModal();
    // Inside ShowModal: ends the modal loop with mrCancel. Otherwise runs OnClose and hides (or frees) the
    // form; closing the main form ends the application's run.
    void Close();
    // Destroys the form now.
    void Free() { delete this; }
    // Destroys the form once the current event has been handled.
    void Release() { deleteLater(); }

    // Runs OnCreate through the handler guard; whoever creates the form calls it once the form exists.
    void DoCreate();

    // True while ShowModal runs.
    bool InModalLoop() const;

    // The widget that holds the form's controls.
    QWidget* ClientWidget() const { return client_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayoutClient();
    void ResizeWindow(int width, int height);
    void ApplyWindowFlags();
    void ApplySizeConstraints();
    void RebuildMenuBar();
    int MenuBarHeight() const;
    void ApplyPosition();
    void CloseModal();
    void DoClose(TCloseAction& action);

    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    QPointer<TMainMenu> menu_;
    QMetaObject::Connection menuConnection_;
    TPosition position_ = poDesigned;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormBorderStyle borderStyle_ = bsSizeable;
    TColor color_ = clBtnFace;
    bool ctl3D_ = true;
    TModalResult modalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
    bool modal_ = false;
    bool positioned_ = false;
};
