// Controls and messages: TControl (position, state, font, colour, mouse and
// click events, message dispatch), TWinControl (children, windows made
// lazily from CreateParams, tab order, focus, keyboard), TGraphicControl and
// TCustomControl (controls that paint on a canvas).
//
// Messages: Perform(Msg, WParam, LParam) builds a TMessage and hands it to
// WindowProc (by default WndProc), which calls Dispatch. Dispatch maps every
// message the framework knows to a virtual handler (CMEnter, WMPaste, ...);
// a subclass overrides a handler and either calls the inherited handler to
// pass the message on or returns to swallow it. What no handler consumes
// reaches DefaultHandler, which is the window's own processing (for an edit:
// the line editor). A subclass that needs a message of its own overrides
// Dispatch and passes the rest on.
//
// Focus: a form has one focused control; SetFocus goes through the form,
// which sends CM_EXIT to the controls that lose the focus (innermost first)
// and CM_ENTER to those that gain it (outermost first). An exception from a
// CM_EXIT handler leaves the focus where it was and reaches SetFocus's caller.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Colors.h"
#include "vcl/Graphics.h"
#include "vcl/Messages.h"
#include "vcl/Windows.h"

namespace vcl {

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TControlCanvas;

enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using enum TShiftStateItem;
using TShiftState = TSet<TShiftStateItem>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using enum TAlign;
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using enum TAnchorKind;
using TAnchors = TSet<TAnchorKind>;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

/// Border styles of forms; controls use the first two (TBorderStyle).
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;
using TBorderStyle = TFormBorderStyle;

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using enum TBiDiMode;
/// How a control sets the input method editor when it takes the focus.
enum class TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                      imSHanguel, imHanguel };
using enum TImeMode;
enum class TDragMode { dmManual, dmAutomatic };
using enum TDragMode;
enum class TDragKind { dkDrag, dkDock };
using enum TDragKind;

enum class TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
using enum TControlStyleItem;
using TControlStyle = TSet<TControlStyleItem>;

enum class TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy,
  csCustomPaint, csDestroyingHandle, csDocking
};
using enum TControlStateItem;
using TControlState = TSet<TControlStateItem>;

using TCursor = SmallInt;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;

using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent =
    std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender)>;
using TWndMethod = std::function<void(TMessage& Message)>;

/// The timer (WM_TIMER wParam) that paces a held button's repeated clicks.
constexpr WPARAM RepeatTimerID = 1;

/// Window parameters a control asks for before its window is made (see TWinControl::CreateParams).
struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  std::string WinClassName;
};

/// Limits on a control's size; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
  VCL_CLASS(TSizeConstraints)
  int GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value) { SetLimit(FMaxHeight, Value); }
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { SetLimit(FMaxWidth, Value); }
  int GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value) { SetLimit(FMinHeight, Value); }
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value) { SetLimit(FMinWidth, Value); }
  void Assign(const TPersistent* Source) override;
  /// Applies the limits to a proposed size.
  void Constrain(int& Width, int& Height) const;
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
  void SetLimit(int& Field, int Value);
  int FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
  TNotifyEvent FOnChange;
};

class TControl : public TComponent {
public:
  VCL_CLASS(TControl)
  static constexpr TColor DefaultColor = clWindow;
  static constexpr TCursor DefaultCursor = crDefault;

  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // ---- parent and position ----
  TWinControl* GetParent() const { return FParent; }
  /// Moves the control into AParent's children (nullptr takes it out).
  virtual void SetParent(TWinControl* AParent);
  int GetLeft() const { return FLeft; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  int GetTop() const { return FTop; }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  /// Every size change goes through here; a real change calls Resize (OnResize).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  /// The area inside the window's border, origin 0,0.
  virtual TRect GetClientRect() const;
  int GetClientWidth() const { return GetClientRect().Right; }
  void SetClientWidth(int Value);
  int GetClientHeight() const { return GetClientRect().Bottom; }
  void SetClientHeight(int Value);
  /// Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  // ---- state ----
  virtual bool GetEnabled() const { return FEnabled; }
  /// A real change sends CM_ENABLEDCHANGED.
  virtual void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  /// Visible, and every parent up to the top is visible.
  bool Showing() const;
  TColor GetColor() const { return FColor; }
  /// A real change turns ParentColor off and sends CM_COLORCHANGED.
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* GetFont() const { return FFont.get(); }
  /// Copies the font; the change notification turns ParentFont off and sends CM_FONTCHANGED.
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  /// Stored-predicates for streaming: a colour or font taken from the parent is not written.
  bool IsFontStored() const { return !FParentFont; }
  bool IsColorStored() const { return !FParentColor; }
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value) { FAnchors = Value; }
  TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
  void SetConstraints(const TSizeConstraints* Value) { FConstraints->Assign(Value); }
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value) { FParentBiDiMode = Value; }
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // ---- text ----
  /// The control's text (an edit's contents, a label's or panel's caption).
  std::string GetText() const { return RealGetText(); }
  /// Sends WM_SETTEXT when the text differs; an equal text changes nothing.
  void SetText(const std::string& Value);
  std::string GetCaption() const { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }

  // ---- messages ----
  /// Delivers a message through WindowProc and answers its Result.
  LRESULT Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam);
  /// The current message entry point (WndProc unless replaced), for subclassing code to chain to.
  TWndMethod GetWindowProc();
  /// Replaces the message entry point (subclassing); an empty method restores WndProc.
  void SetWindowProc(TWndMethod Value);
  virtual void WndProc(TMessage& Message);
  /// Maps a message to its handler; unknown messages go to DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  /// The window's own processing of a message no handler consumed.
  virtual void DefaultHandler(TMessage& Message);

  // ---- painting ----
  /// Marks the control for repainting and counts the request.
  virtual void Invalidate();
  int GetInvalidateCount() const { return FInvalidateCount; }
  void ResetInvalidateCount() { FInvalidateCount = 0; }
  /// Paints what is pending now.
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }
  void Refresh() { Repaint(); }

  // ---- clicks and actions ----
  /// Fires OnClick.
  virtual void Click();
  /// Fires OnDblClick.
  virtual void DblClick();
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  virtual bool UseRightToLeftAlignment() const;
  void BringToFront();
  void SendToBack();

  // ---- events ----
  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
  TNotifyEvent GetOnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
  TMouseEvent GetOnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
  TMouseEvent GetOnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = std::move(Value); }
  TMouseMoveEvent GetOnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = std::move(Value); }
  TNotifyEvent GetOnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent Value) { FOnResize = std::move(Value); }
  TCanResizeEvent GetOnCanResize() const { return FOnCanResize; }
  void SetOnCanResize(TCanResizeEvent Value) { FOnCanResize = std::move(Value); }
  TConstrainedResizeEvent GetOnConstrainedResize() const { return FOnConstrainedResize; }
  void SetOnConstrainedResize(TConstrainedResizeEvent Value) { FOnConstrainedResize = std::move(Value); }
  TDragDropEvent GetOnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent Value) { FOnDragDrop = std::move(Value); }
  TDragOverEvent GetOnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent Value) { FOnDragOver = std::move(Value); }
  TEndDragEvent GetOnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent Value) { FOnEndDrag = std::move(Value); }
  TEndDragEvent GetOnEndDock() const { return FOnEndDock; }
  void SetOnEndDock(TEndDragEvent Value) { FOnEndDock = std::move(Value); }
  TStartDragEvent GetOnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent Value) { FOnStartDrag = std::move(Value); }
  TStartDragEvent GetOnStartDock() const { return FOnStartDock; }
  void SetOnStartDock(TStartDragEvent Value) { FOnStartDock = std::move(Value); }

  // ---- streaming hooks ----
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  /// The text as the control holds it; edits and combo boxes answer from their editor.
  virtual std::string RealGetText() const { return FText; }
  /// Runs after every real size change; fires OnResize.
  virtual void Resize();
  /// Asks OnCanResize and the constraints; may change the proposed size.
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  /// The window moved or changed size (windowed controls resize their surface).
  virtual void BoundsChanged() {}
  /// Called when a font change arrives from the font object.
  virtual void FontChanged();
  /// The control's canvas-less paint of itself inside its parent (graphic controls).
  virtual void PaintOnParent() {}

  // ---- message handlers (the message map; see Dispatch) ----
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMCursorChanged(TMessage& Message);
  virtual void CMShowHintChanged(TMessage& Message);
  virtual void CMHitTest(TMessage& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMGetDataLink(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMWantSpecialKey(TMessage& Message);
  virtual void CMChildKey(TMessage& Message);
  virtual void CMButtonPressed(TMessage& Message);
  virtual void CMFocusChanged(TMessage& Message);
  virtual void CMTabStopChanged(TMessage& Message);
  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMRButtonDown(TMessage& Message);
  virtual void WMRButtonUp(TMessage& Message);
  virtual void WMMouseMove(TMessage& Message);
  virtual void WMSetText(TMessage& Message);
  virtual void WMGetTextLength(TMessage& Message);
  virtual void WMPaint(TMessage& Message);
  virtual void WMNCPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMSysKeyDown(TMessage& Message);
  virtual void WMSysKeyUp(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMCut(TMessage& Message);
  virtual void WMCopy(TMessage& Message);
  virtual void WMPaste(TMessage& Message);
  virtual void WMClear(TMessage& Message);
  virtual void WMUndo(TMessage& Message);
  virtual void WMTimer(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMNextDlgCtl(TMessage& Message);
  virtual void WMGetDlgCode(TMessage& Message);
  virtual void WMCommand(TMessage& Message);
  virtual void BMSetCheck(TMessage& Message);
  virtual void BMGetCheck(TMessage& Message);
  virtual void BMClick(TMessage& Message);

  /// Parent's colour and font, copied while ParentColor / ParentFont hold.
  void TakeParentColor();
  void TakeParentFont();

  TNotifyEvent FOnClick, FOnDblClick;

private:
  friend class TWinControl;
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  void FontObjectChanged();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FEnabled = true;
  bool FVisible = true;
  TColor FColor = DefaultColor;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FTakingParentFont = false;
  TCursor FCursor = DefaultCursor;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> FConstraints;
  TPopupMenu* FPopupMenu = nullptr;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  std::string FText;
  TWndMethod FWindowProc;
  int FInvalidateCount = 0;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TNotifyEvent FOnResize;
  TCanResizeEvent FOnCanResize;
  TConstrainedResizeEvent FOnConstrainedResize;
  TDragDropEvent FOnDragDrop;
  TDragOverEvent FOnDragOver;
  TEndDragEvent FOnEndDrag, FOnEndDock;
  TStartDragEvent FOnStartDrag, FOnStartDock;
};

class TWinControl : public TControl {
public:
  VCL_CLASS(TWinControl)
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // ---- children ----
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int Index) const;
  const std::vector<TControl*>& Controls() const { return FControls; }
  /// True for this control itself and for anything inside it.
  bool ContainsControl(const TControl* Control) const;
  /// Sends a message to every child control.
  void Broadcast(TMessage& Message);

  // ---- window ----
  bool HandleAllocated() const { return FHandle != nullptr; }
  /// The window, made on first use.
  HWND GetHandle();
  void HandleNeeded() { (void)GetHandle(); }
  /// Drops the window and makes a new one from fresh CreateParams; the control's
  /// text, selection and state survive. Does nothing while no window exists yet.
  void RecreateWnd();
  /// Windows made for this control so far (the first one included).
  int GetWindowCreateCount() const { return FWindowCreateCount; }
  int GetRecreateCount() const { return FRecreateCount; }
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }
  /// The input method editor's mode and name for this control, kept and
  /// streamed; the headless host runs no input method, so nothing else follows.
  TImeMode GetImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const std::string& GetImeName() const { return FImeName; }
  void SetImeName(const std::string& Value) { FImeName = Value; }
  TRect GetClientRect() const override;
  TPoint ClientOrigin() const override;
  /// The window rectangle in screen coordinates.
  TRect GetWindowScreenRect() const;

  // ---- tab order and focus ----
  /// Position among the parent's tab-ordered children; -1 without a parent.
  int GetTabOrder() const;
  void SetTabOrder(int Value);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  /// Gives this control the focus through its form; raises EInvalidOperation
  /// "Cannot focus a disabled or invisible window" when it cannot take it.
  virtual void SetFocus();
  bool Focused() const;
  /// The control and every parent up to its form are visible and enabled.
  virtual bool CanFocus() const;
  /// Children in tab order, depth first (the order Tab walks).
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  /// Focuses the next (or previous) control that can take the focus.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  void SelectFirst();

  // ---- events ----
  TNotifyEvent GetOnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = std::move(Value); }
  TNotifyEvent GetOnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = std::move(Value); }
  TKeyEvent GetOnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }
  TKeyPressEvent GetOnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = std::move(Value); }
  TKeyEvent GetOnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = std::move(Value); }

  void Invalidate() override;
  void Update() override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  /// Lays out the children whose Align is not alNone (top, bottom, left, right, then client).
  void Realign();
  void Loaded() override;

protected:
  /// The area aligned children share; the client area unless a container keeps a border free.
  virtual TRect AlignRect() const;
  /// Window style bits for the next window (WS_CHILD, WS_VISIBLE, WS_TABSTOP, ...).
  virtual void CreateParams(TCreateParams& Params);
  /// Makes the window from CreateParams.
  virtual void CreateWnd();
  /// Drops the window.
  virtual void DestroyWnd();
  /// Called after a window was made (first time or recreated); pending paints are queued.
  virtual void WindowCreated() {}

  /// Fires OnEnter.
  virtual void DoEnter();
  /// Fires OnExit.
  virtual void DoExit();
  /// Fires OnKeyDown; a handler that sets Key to 0 keeps it from the window.
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  /// Fires OnKeyPress; a handler that sets Key to #0 keeps it from the window.
  virtual void KeyPress(char& Key);

  /// Paints the client area: background, then Paint of custom controls, then graphic children.
  virtual void PaintWindow(HDC DC);
  void PaintControls();

  void BoundsChanged() override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void WMKeyDown(TMessage& Message) override;
  void WMKeyUp(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  void WMSysKeyDown(TMessage& Message) override;
  void WMSysKeyUp(TMessage& Message) override;
  void WMPaint(TMessage& Message) override;
  void WMNCPaint(TMessage& Message) override;

  /// The shift state that goes with a key message (from the shared keyboard state).
  static TShiftState KeyboardShift();

private:
  friend class TControl;
  friend class TCustomForm;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  void RemoveFocus(bool Removing);
  /// Moves or stretches anchored children after this control's size changed, then realigns.
  void ParentResized(int OldWidth, int OldHeight);
  uint32_t BorderStyleBits(uint32_t& ExStyle) const;

  std::vector<TControl*> FControls;  ///< z-order
  std::vector<TWinControl*> FTabList;
  HWND FHandle = nullptr;
  int FWindowCreateCount = 0;
  int FRecreateCount = 0;
  bool FTabStop = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  bool FAligning = false;
  TNotifyEvent FOnEnter, FOnExit;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
};

/// A canvas that paints on a control: a windowed control's client area, or the
/// part of its parent's client area that a graphic control covers.
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl* Control) : FControl(Control) {}
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  /// Gives the DC back (the framework does this after each paint).
  void Release() { FreeHandle(); }

protected:
  void CreateHandle() override;
  void FreeHandle() override;

private:
  TControl* FControl;
  HDC FOwnDC = nullptr;
};

/// A control without a window of its own; it paints on its parent.
class TGraphicControl : public TControl {
public:
  VCL_CLASS(TGraphicControl)
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
  /// Draws the control on Canvas (client coordinates of the control).
  virtual void Paint() {}
  void WMPaint(TMessage& Message) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

/// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
public:
  VCL_CLASS(TCustomControl)
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

/// The form a control sits on (its top-level parent when that is a form); nullptr otherwise.
TCustomForm* GetParentForm(const TControl* Control);
/// As GetParentForm, but raises EInvalidOperation "Control 'Name' has no parent window" for none.
TCustomForm* ValidParentForm(const TControl* Control);

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TShiftStateItem, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble");
VCL_ENUM_NAMES(vcl::TMouseButton, "mbLeft", "mbRight", "mbMiddle");
VCL_ENUM_NAMES(vcl::TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom");
VCL_ENUM_NAMES(vcl::TAnchorKind, "akLeft", "akTop", "akRight", "akBottom");
VCL_ENUM_NAMES(vcl::TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
VCL_ENUM_NAMES(vcl::TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
               "bsSizeToolWin");
VCL_ENUM_NAMES(vcl::TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
               "bdRightToLeftReadingOnly");
VCL_ENUM_NAMES(vcl::TDragMode, "dmManual", "dmAutomatic");
VCL_ENUM_NAMES(vcl::TDragKind, "dkDrag", "dkDock");
VCL_ENUM_NAMES(vcl::TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
               "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel");
VCL_ENUM_NAMES(vcl::TControlStyleItem, "csAcceptsControls", "csCaptureMouse", "csDesignInteractive",
               "csClickEvents", "csFramed", "csSetCaption", "csOpaque", "csDoubleClicks", "csFixedWidth",
               "csFixedHeight", "csNoDesignVisible", "csReplicatable", "csNoStdEvents", "csDisplayDragImage",
               "csReflector", "csActionClient", "csMenuEvents");
