#pragma once
// TForm: a window of the program. Created hidden; shown, hidden and closed by code or by the user;
// run modally (runModal answers the modal result buttons or code set, mrCancel for a close from
// the window system, mrNone when the application terminates meanwhile). Closing asks the close
// query, then OnClose chooses what becomes of the form (hidden, minimised, freed after its
// handlers have returned, or kept open); closing the main form ends the application's loop.
//
// Its outer size (Width, Height) is the client size plus the caption and frames its window style
// has, as the screen facts' metrics give them, whatever the window manager draws. A form made the
// child of another form is docked: borderless, it gets OnActivate and OnDeactivate as the focus
// enters and leaves it and keeps its own active control.
//
// Every top-level form is on the desktop's window registry under its class name and caption, owned
// by the application window; the main form as the program's main window. Asked from outside, it
// is restored when minimised, else brought to the front.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "framework/ui/FormBase.h"
#include "framework/ui/MessageDialogTypes.h"
#include "platform/os/MessageBus.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
extern const EnumerationType kPositionType;

// The form border styles; bsNone and bsSingle are the control border's.
using TFormBorderStyle = int;
constexpr TFormBorderStyle bsSizeable = 2;
constexpr TFormBorderStyle bsDialog = 3;
constexpr TFormBorderStyle bsToolWindow = 4;
constexpr TFormBorderStyle bsSizeToolWin = 5;
extern const EnumerationType kFormBorderStyleType;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = EnumSet<TBorderIcon>;
extern const EnumerationType kBorderIconType;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
extern const EnumerationType kFormStyleType;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
extern const EnumerationType kWindowStateType;

// Window-style bits a form's creation parameters carry.
using DWORD = unsigned long;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_CAPTION = WS_BORDER | WS_DLGFRAME;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;

struct TCreateParams {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  AnsiString WinClassName;
};

// Notification codes a docked form's edits send it with WM_COMMAND.
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned EN_SETFOCUS = 0x0100;  // 256: got the focus
constexpr unsigned EN_CHANGE = 0x0300;    // 768: the text changed
// A press is about to reach a control of a docked form (the form hears it first).
constexpr unsigned WM_MOUSEACTIVATE = 0x0021;

class TFormScrollBar {
 public:
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { visible_ = Value; }

 private:
  bool visible_ = true;
};

class TForm : public FormBase {
  QN_PUBLISHED_CLASS(TForm, FormBase)
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  void AfterConstruction() override;

  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value);

  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  TFormBorderStyle BorderStyle() const { return formBorderStyle_; }
  // At run time the window is made again (see remakeWindow).
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle FormStyle() const { return formStyle_; }
  // Stay-on-top switched at run time remakes the window; fsMDIForm changes nothing.
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState Value);
  bool AutoSize() const { return autoSize_; }
  // On: the client area fits the visible children.
  void SetAutoSize(bool Value);

  // The bar of the main menu the form shows (nullptr: none), at the top of its window above the
  // client area; like a menu its height counts with the frames, so the client area gives it its
  // room and the outer size stays. The bar goes with the window when the window is destroyed.
  void setMenuBar(QWidget* bar);
  QWidget* menuBar() const { return menuBar_; }
  // Below the menu bar, when the form shows one.
  TPoint OriginInWindow() const override;

  // The client size: the outer size follows with the caption and frames.
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TRect ClientRect() const override;
  // The caption and frames around the client area (left, top, right, bottom), from the window
  // style and the screen facts' metrics; none for a docked form.
  TRect frameExtents() const;

  TFormScrollBar* HorzScrollBar() { return &horzScrollBar_; }
  TFormScrollBar* VertScrollBar() { return &vertScrollBar_; }

  // Taken from Screen->PixelsPerInch when the form is made.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }
  // Scales the client size, the children's bounds and the fonts by M / D.
  void scaleByRatio(int M, int D);
  // What loading does to a form drawn at DesignPixelsPerInch when PixelsPerInch differs: scales its
  // client size and the bounds of every control in it by PixelsPerInch / DesignPixelsPerInch. Fonts
  // are given in points and fit the screen already, so they stay. Only the first call scales.
  void scaleFromDesign(int DesignPixelsPerInch);

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value);
  // Shows the form modally and runs a loop until a modal result is set (the form then closes) or
  // the application terminates (mrNone). Other windows of the program take no input meanwhile.
  TModalResult runModal();
  bool Modal() const { return modal_; }

  // Asks the close query and OnClose; see the class comment.
  void Close();
  // Frees the form from a posted call: after the running handlers have returned, at the next
  // dispatch of whatever loop runs.
  void Release();
  // Docked: the focus goes to its active control (else its first); top-level: its window comes
  // to the front and its active control gets the focus.
  void SetFocus() override;
  void BringToFront();

  // Whether the close query lets the form close; runs OnCloseQuery.
  virtual bool CloseQuery();

  // The creation parameters its window is made with; descendants change the style bits.
  virtual void CreateParams(TCreateParams& Params);

  // A registered message from another program to this form's registry entry.
  virtual void WindowMessageReceived(const qn::os::WindowMessage& Message) {}

  bool MouseWheelHandled(int WheelDelta, TShiftState Shift, TPoint MousePos) override;
  // Enter and Escape press the default (or focused) and the cancel button.
  bool DialogKey(WORD Key, TShiftState Shift) override;

  // Docking into a control or leaving it makes the window again, as a child or a top-level one.
  void SetParent(TWinControl* Value) override;
  // Whether this form is docked in another control.
  bool Docked() const { return Parent() != nullptr; }
  // Top-level: its window's registry id (the window is made when missing).
  qn::os::WindowId Handle() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnResize;
  TMouseWheelEvent OnMouseWheel;

  // Called by the framework's active-form tracking.
  virtual void DoActivate();
  virtual void DoDeactivate();
  // Called by the form's window: the window system asked it to close.
  void windowCloseRequested();
  // Called by the form's window when the window system changed its state.
  void windowStateChangedBySystem(TWindowState State);
  // Called by the form's window with its new client size.
  void clientWasResized(int AWidth, int AHeight);
  // While the native window is being made again its activation changes are not the form's.
  bool remakingWindow() const { return remaking_; }

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void WindowDestroying() override;
  void VisibleChanged() override;
  void BoundsChanged() override;
  void BeforeDestruction() override;
  // The client area shows the form's Color under its controls.
  void PaintWindow(QPainter& painter) override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);

 private:
  int publishedBorderStyle() const { return formBorderStyle_; }
  void setPublishedBorderStyle(int Value) { SetBorderStyle(Value); }
  // Applies the window style and state to the native window, remaking it when it exists.
  void remakeWindow();
  void applyWindowFlags(QWidget* widget);
  void placeForFirstShow();
  // The client size and the children's bounds by M / D, the fonts as Fonts says.
  void scaleClientArea(int M, int D, FontScaling Fonts);
  void applyWindowGeometry();
  // The menu bar's height when the form shows one in its own window, else 0.
  int menuBarHeight() const;
  // Puts the menu bar into the window, across its top.
  void placeMenuBar();
  void registerWindow();
  void unregisterWindow();
  void answerWindowRequest(qn::os::WindowRequest request);
  // Hides the form after a close, with what the close action asks.
  void finishClose(TCloseAction action);

  AnsiString caption_;
  TPosition position_ = poScreenCenter;
  TFormBorderStyle formBorderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  bool autoSize_ = false;
  TFormScrollBar horzScrollBar_;
  TFormScrollBar vertScrollBar_;
  int pixelsPerInch_ = 96;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool shownBefore_ = false;
  bool scaledFromDesign_ = false;
  bool remaking_ = false;
  bool applyingGeometry_ = false;
  QPointer<QWidget> menuBar_;
  bool releasing_ = false;
  qn::os::WindowId registryId_ = 0;
  // The bus the form's window is registered on: the application's (its forms go before it).
  qn::os::MessageBus* registryBus_ = nullptr;
};
