#include "effects/fx_shape_hint_window.h"

#include <cmath>

#include "effects/fx_application.h"
#include "effects/fx_text3d.h"
#include "framework/high_contrast.h"
#include "graphics/canvas.h"

namespace fx {
namespace {

// The balloon's measures, in design pixels (96 DPI).
constexpr int kNoseLength = 15;  // how far the nose reaches past the body, across and up or down
constexpr int kNoseBase = 30;    // width of the nose where it meets the body
constexpr int kNoseInset = 10;   // from the body's side to the near end of the nose's base
constexpr int kCorner = 16;      // corner ellipse of the rounded shapes
constexpr int kMinNoseBody = 46;  // narrowest text area of the nosed shapes
constexpr int kTextMargin = 4;   // text from the top-left corner of a nosed body
constexpr int kRectTextMargin = 3, kRoundRectTextMargin = 5, kEllipseTextMargin = 3;
// Room the shapes add around the measured text, besides the shadow.
constexpr SIZE kRoundRectRoom{8, 4};
// The nose of an ellipse leaves it this many degrees either side of its tip.
constexpr double kEllipseNoseHalfAngle = 12.5;

// The measures in device pixels at a DPI, each scaled from its design value.
struct Measures {
  int noseLength, noseBase, noseInset, corner, minNoseBody, textMargin;
  int rectTextMargin, roundRectTextMargin, ellipseTextMargin;
  SIZE roundRectRoom, nosedRoom;
  int line;  // one design pixel: the outline's width
};

Measures MeasuresAt(int dpi) {
  auto px = [dpi](int design) { return fw::ScaleToDpi(design, dpi); };
  Measures m{px(kNoseLength), px(kNoseBase),    px(kNoseInset),        px(kCorner),
             px(kMinNoseBody), px(kTextMargin), px(kRectTextMargin),   px(kRoundRectTextMargin),
             px(kEllipseTextMargin), SIZE{px(kRoundRectRoom.cx), px(kRoundRectRoom.cy)}, SIZE{}, px(1)};
  m.nosedRoom = SIZE{m.noseLength + 2 * m.textMargin, m.noseLength + px(3)};
  return m;
}

// Where shadow and body go in the window (of the full size, shadow included),
// with their noses: a nose's base starts at A and is kNoseBase wide, its tip is B.
struct Balloon {
  TFxHintStyle style = hsRect;
  bool nosed = false;
  RECT shadow{}, body{};
  bool shadowNose = false;  // not when the shadow's nose would lie under the body
  POINT shadowA{}, shadowB{}, bodyA{}, bodyB{};
};

Balloon BalloonFor(const Measures& m, TFxHintStyle style, TFxHintPosition position, int W, int H, int d) {
  Balloon b;
  b.style = style;
  b.nosed = style == hsNoseRect || style == hsNoseRoundRect || style == hsNoseEllipse;
  b.body = RECT{0, 0, W - d, H - d};
  b.shadow = RECT{d, d, W, H};
  if (!b.nosed) return b;
  // The body gives way to the nose on the side it points to.
  const bool pointsRight = position == hpAboveLeft || position == hpBelowLeft;
  const bool pointsDown = position == hpAboveLeft || position == hpAboveRight;
  if (pointsRight) b.body.right -= m.noseLength;
  else b.body.left += m.noseLength;
  if (pointsDown) b.body.bottom -= m.noseLength;
  else b.body.top += m.noseLength;
  b.shadow = b.body;
  OffsetRect(&b.shadow, d, d);
  b.bodyA = POINT{pointsRight ? b.body.right - m.noseInset - m.noseBase : b.body.left + m.noseInset,
                  pointsDown ? b.body.bottom - m.line : b.body.top + m.line};
  b.shadowA = POINT{b.bodyA.x + d, b.bodyA.y + d};
  // The tips, at or next to the window's corner the nose points to (by
  // position: above left, above right, below left, below right).
  const POINT bodyTips[4] = {{W - d, H - d}, {0, H - d}, {W, 0}, {0, 0}};
  const POINT shadowTips[4] = {{W, H}, {0, H}, {W, d}, {0, 0}};
  const int at = position >= hpAboveLeft && position <= hpBelowRight ? position : hpBelowRight;
  b.bodyB = bodyTips[at];
  b.shadowB = shadowTips[at];
  b.shadowNose = at != hpBelowRight;
  return b;
}

void DrawNose(HDC dc, const Measures& m, POINT a, POINT b) {
  POINT points[3] = {a, b, {a.x + m.noseBase, a.y}};
  Polygon(dc, points, 3);
}

// A point of the ellipse in r at `degrees` (counter-clockwise from 3 o'clock).
POINT OnEllipse(const RECT& r, double degrees) {
  double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
  double rx = (r.right - r.left) / 2.0, ry = (r.bottom - r.top) / 2.0;
  double a = degrees * 3.14159265358979 / 180.0;
  return POINT{static_cast<LONG>(std::lround(cx + rx * std::cos(a))),
               static_cast<LONG>(std::lround(cy - ry * std::sin(a)))};
}

double DegreesTowards(const RECT& r, POINT p) {
  double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
  return std::atan2(cy - p.y, p.x - cx) * 180.0 / 3.14159265358979;
}

RECT Inclusive(RECT r, int line) { return RECT{r.left, r.top, r.right + line, r.bottom + line}; }

// Where a nose from the ellipse in r towards its tip leaves the ellipse.
struct EllipseNose {
  POINT first, second;
};

// Fills the nose of the ellipse in r (ellipse and outline are drawn apart).
EllipseNose FillEllipseNose(HDC dc, const RECT& r, POINT tip) {
  const double towards = DegreesTowards(r, tip);
  const EllipseNose nose{OnEllipse(r, towards - kEllipseNoseHalfAngle), OnEllipse(r, towards + kEllipseNoseHalfAngle)};
  POINT points[3] = {nose.first, tip, nose.second};
  Polygon(dc, points, 3);
  return nose;
}

// The shape of `style` in r, without a nose, in the current brush and pen.
void DrawOutline(HDC dc, const Measures& m, TFxHintStyle style, const RECT& r) {
  switch (style) {
    case hsRect:
    case hsNoseRect: Rectangle(dc, r.left, r.top, r.right, r.bottom); break;
    case hsRoundRect:
    case hsNoseRoundRect: RoundRect(dc, r.left, r.top, r.right, r.bottom, m.corner, m.corner); break;
    case hsEllipse: Ellipse(dc, r.left, r.top, r.right, r.bottom); break;
    case hsNoseEllipse: {
      const RECT e = Inclusive(r, m.line);
      Ellipse(dc, e.left, e.top, e.right, e.bottom);
      break;
    }
  }
}

// The shadow, filled without outline: solid, or a checkerboard ANDed with
// what is under it.
void DrawShadow(HDC dc, const Measures& m, const Balloon& b, const TFxShadow& shadow) {
  const bool tracing = shadow.Style() == hssTracing;
  fw::GdiBrush brush(tracing ? CreatePatternBrush(FxApplication().CheckerboardPattern(shadow.Color()))
                             : CreateSolidBrush(fw::ColorToRGB(shadow.Color())));
  fw::SelectGuard useBrush(dc, brush.Get());
  const int oldMode = SetROP2(dc, tracing ? R2_MASKPEN : R2_COPYPEN);
  DrawOutline(dc, m, b.style, b.shadow);
  if (b.nosed && b.shadowNose) {
    if (b.style == hsNoseEllipse) FillEllipseNose(dc, b.shadow, b.shadowB);
    else DrawNose(dc, m, b.shadowA, b.shadowB);
  }
  SetROP2(dc, oldMode);
}

// The body and its nose, filled and outlined as one shape.
void DrawBody(HDC dc, const Measures& m, const Balloon& b, COLORREF fill, COLORREF border) {
  const int oldMode = SetROP2(dc, R2_COPYPEN);
  fw::GdiBrush bodyBrush(CreateSolidBrush(fill));
  // A wider outline stays inside the shapes' bounds.
  fw::GdiPen borderPen(CreatePen(m.line > 1 ? PS_INSIDEFRAME : PS_SOLID, m.line, border));
  fw::SelectGuard useBrush(dc, bodyBrush.Get());
  if (b.style == hsNoseEllipse) {
    // Filled body and nose, then one outline: the arc outside the nose
    // and the nose's two sides.
    DrawOutline(dc, m, b.style, b.body);
    const EllipseNose nose = FillEllipseNose(dc, b.body, b.bodyB);
    fw::SelectGuard usePen(dc, borderPen.Get());
    Arc(dc, b.body.left, b.body.top, b.body.right, b.body.bottom, nose.second.x, nose.second.y, nose.first.x,
        nose.first.y);
    MoveToEx(dc, nose.first.x, nose.first.y, nullptr);
    LineTo(dc, b.bodyB.x, b.bodyB.y);
    LineTo(dc, nose.second.x, nose.second.y);
  } else {
    fw::SelectGuard usePen(dc, borderPen.Get());
    DrawOutline(dc, m, b.style, b.body);
    if (b.nosed) {
      DrawNose(dc, m, b.bodyA, b.bodyB);
      // The nose's own base edge goes: nose and body are one outline.
      fw::GdiPen wipe(CreatePen(PS_SOLID, m.line, fill));
      fw::SelectGuard useWipe(dc, wipe.Get());
      MoveToEx(dc, b.bodyA.x, b.bodyA.y, nullptr);
      LineTo(dc, b.bodyA.x + m.noseBase, b.bodyA.y);
    }
  }
  SetROP2(dc, oldMode);
}

// Moves the text rectangle (at the origin) to its place inside the body.
void PlaceText(const Measures& m, const Balloon& b, int d, RECT& text) {
  switch (b.style) {
    case hsNoseEllipse: {
      const int tw = text.right - text.left, th = text.bottom - text.top;
      OffsetRect(&text, b.body.left + (b.body.right - b.body.left - tw) / 2 - text.left,
                 b.body.top + (b.body.bottom - b.body.top - th) / 2 - text.top);
      break;
    }
    case hsNoseRect:
    case hsNoseRoundRect: OffsetRect(&text, b.body.left + m.textMargin, b.body.top + m.textMargin); break;
    case hsRect: OffsetRect(&text, m.rectTextMargin, m.rectTextMargin); break;
    case hsRoundRect: OffsetRect(&text, m.roundRectTextMargin, m.roundRectTextMargin); break;
    default:  // the ellipse
      OffsetRect(&text, (text.right - d) / 5 + m.ellipseTextMargin, (text.bottom - d) / 5 + m.ellipseTextMargin);
      break;
  }
}

}  // namespace

TFxShapeHintWindow::TFxShapeHintWindow(fw::TComponent* owner) : fw::THintWindow(owner) {
  Canvas().Brush().SetStyle(fw::bsClear);
}

TFxShapeHintWindow::~TFxShapeHintWindow() = default;

void TFxShapeHintWindow::SetHintComponent(TFxCustomShapeHint* hint) {
  if (hint == hint_) return;
  if (hint_) hint_->RemoveFreeNotification(this);
  hint_ = hint;
  if (hint) hint->FreeNotification(this);
}

void TFxShapeHintWindow::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == hint_) hint_ = nullptr;
  fw::THintWindow::Notification(component, operation);
}

void TFxShapeHintWindow::CreateParams(fw::TCreateParams& p) {
  fw::THintWindow::CreateParams(p);
  p.Style = WS_POPUP | WS_DISABLED;
}

void TFxShapeHintWindow::Paint() {
  // The balloon is drawn once, when it is shown.
  if (FxActiveShapeHint()) return;
  RECT r = ClientRect();
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(r);
  fw::THintWindow::Paint();
}

int TFxShapeHintWindow::ShadowDepth() const { return hint_ ? Scaled(hint_->Shadow().Depth()) : 0; }

void TFxShapeHintWindow::GrowToShape(RECT& r) const {
  const Measures m = MeasuresAt(Dpi());
  int d = ShadowDepth();
  int w = r.right - r.left, h = r.bottom - r.top;
  switch (hint_ ? hint_->Style() : hsNoseRoundRect) {
    case hsRect:
      r.right += d;
      r.bottom += d;
      break;
    case hsRoundRect:
      r.right += d + m.roundRectRoom.cx;
      r.bottom += d + m.roundRectRoom.cy;
      break;
    case hsEllipse:
      r.right += w / 3 + d;
      r.bottom += h / 3 + d;
      break;
    case hsNoseRect:
    case hsNoseRoundRect:
      if (w < m.minNoseBody) r.right = r.left + m.minNoseBody;
      r.right += d + m.nosedRoom.cx;
      r.bottom += d + m.nosedRoom.cy;
      break;
    case hsNoseEllipse:
      r.right += w / 2 + d + m.noseLength;
      r.bottom += h / 2 + d + m.noseLength;
      break;
  }
}

POINT TFxShapeHintWindow::Place(POINT p, SIZE size, TFxHintPosition& position, const RECT& screen, int dpi) {
  // How far from the anchor each corner goes, in design pixels.
  auto px = [dpi](int design) { return fw::ScaleToDpi(design, dpi); };
  POINT at{};
  for (int attempt = 0; attempt < 4; ++attempt) {
    switch (position) {
      case hpAboveLeft: at = {p.x - px(1) - size.cx, p.y - px(1) - size.cy}; break;
      case hpAboveRight: at = {p.x + px(1), p.y - px(1) - size.cy}; break;
      case hpBelowLeft: at = {p.x - px(3) - size.cx, p.y + px(1)}; break;
      case hpBelowRight: at = {p.x + px(6), p.y + px(1)}; break;
    }
    POINT corner{at.x + size.cx, at.y + size.cy};
    bool fits = PtInRect(&screen, at) && PtInRect(&screen, corner);
    // When nothing fits the last try stays, and the nose with it.
    if (fits || attempt == 3) break;
    position = static_cast<TFxHintPosition>((position + 1) % 4);
  }
  return at;
}

void TFxShapeHintWindow::DrawShape(fw::TCanvas& canvas, int W, int H, TFxHintPosition position,
                                   RECT& text) const {
  if (!hint_) return;
  HDC dc = canvas.Handle();
  const Measures m = MeasuresAt(Dpi());
  const TFxShadow& shadow = hint_->Shadow();
  const int d = ShadowDepth();
  const Balloon balloon = BalloonFor(m, hint_->Style(), position, W, H, d);
  fw::SelectGuard noPen(dc, GetStockObject(NULL_PEN));
  // High contrast: no shadow, and the body in the system's window colours.
  const bool plain = fw::HighContrast();
  if (shadow.Style() != hssNone && !plain) DrawShadow(dc, m, balloon, shadow);
  if (plain) DrawBody(dc, m, balloon, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
  else DrawBody(dc, m, balloon, fw::ColorToRGB(hint_->Color()), fw::ColorToRGB(hint_->BorderColor()));
  PlaceText(m, balloon, d, text);
}

void TFxShapeHintWindow::Compose(fw::TCanvas& canvas, int width, int height, TFxHintPosition position,
                                 RECT textRect, const std::wstring& hint) const {
  if (!hint_) return;
  DrawShape(canvas, width, height, position, textRect);
  canvas.Brush().SetColor(hint_->Color());
  canvas.Font().Assign(hint_->Font());
  canvas.SetDpi(Dpi());
  if (fw::HighContrast()) {
    // The text once, in the system's window text colour.
    canvas.Brush().SetStyle(fw::bsClear);
    canvas.Font().SetColor(fw::clWindowText);
    FxDraw3DText(canvas, hint, nullptr, nullptr, kFx3DEnabled, DT_WORDBREAK | DT_NOPREFIX, textRect);
    return;
  }
  FxDraw3DText(canvas, hint, &hint_->Font3D(), nullptr, kFx3DEnabled, DT_WORDBREAK | DT_NOPREFIX, textRect);
}

void TFxShapeHintWindow::ActivateHint(const RECT& rect, const std::wstring& hint) {
  TFxShapeHint* active = FxActiveShapeHint();
  POINT anchor{};
  if (rect.right == -1 && rect.bottom == -1) {
    if (!active) return;
    anchor = POINT{rect.left, rect.top};
  } else {
    GetCursorPos(&anchor);
  }
  if (!active) {
    fw::THintWindow::ActivateHint(rect, hint);
    return;
  }
  SetHintComponent(active);
  SetHintText(hint);
  TFxHintPosition position = active->Position();

  // Measured in the hint's font at the balloon's DPI.
  fw::TFont font;
  font.Assign(active->Font());
  font.SetDpi(Dpi());
  RECT textRect{0, 0, active->TextWidthLimit(Dpi()), 0};
  FxMeasure3DText(hint, &active->Font3D(), textRect, 0, 2, false, true, font);
  RECT size = textRect;
  GrowToShape(size);
  const int W = size.right, H = size.bottom;
  // A balloon shown now goes first, before the window changes size or place:
  // moved while shown, it would flash where it does not belong, and the
  // screen captured below could hold it. Where it covered the new one's
  // place, the screen is what it had captured itself.
  bool predecessor = HandleAllocated() && IsWindowVisible(Handle()) && background_;
  ReleaseHint();
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  POINT at = Place(anchor, SIZE{W, H}, position, screen, Dpi());
  RECT placed{at.x, at.y, at.x + W, at.y + H};
  SetBounds(at.x, at.y, W, H);

  auto captured = std::make_unique<fw::OffscreenBuffer>(nullptr, W, H);
  {
    fw::ClientDC screenDC(nullptr);
    BitBlt(captured->DC(), 0, 0, W, H, screenDC, at.x, at.y, SRCCOPY);
  }
  RECT overlap{};
  if (predecessor && IntersectRect(&overlap, &placed, &backgroundRect_))
    BitBlt(captured->DC(), overlap.left - at.x, overlap.top - at.y, overlap.right - overlap.left,
           overlap.bottom - overlap.top, background_->DC(), overlap.left - backgroundRect_.left,
           overlap.top - backgroundRect_.top, SRCCOPY);

  SetWindowPos(Handle(), HWND_TOPMOST, at.x, at.y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);

  fw::OffscreenBuffer balloon(nullptr, W, H);
  captured->CopyTo(balloon.DC());
  Compose(balloon.Canvas(), W, H, position, textRect, hint);
  balloon.DetachCanvas();
  {
    fw::ClientDC windowDC(Handle());
    balloon.CopyTo(windowDC);
  }
  background_ = std::move(captured);
  backgroundRect_ = placed;
}

}  // namespace fx
