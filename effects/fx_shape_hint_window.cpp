#include "effects/fx_shape_hint_window.h"

#include <cmath>

#include "effects/fx_application.h"
#include "effects/fx_text3d.h"
#include "graphics/canvas.h"

namespace fx {
namespace {

constexpr int kNoseBase = 30;   // width of the nose where it meets the body
constexpr int kCorner = 16;     // corner ellipse of the rounded shapes
constexpr int kMinNoseBody = 46;

struct NoseShape {
  RECT shadow;
  POINT shadowA, shadowB;
  bool shadowNose;
  RECT body;
  POINT bodyA, bodyB;
  POINT textOffset;
};

NoseShape NoseShapeFor(TFxHintPosition position, int W, int H, int d) {
  switch (position) {
    case hpAboveLeft:
      return {{d, d, W - 15, H - 15}, {W - 55, H - 16}, {W, H}, true,
              {0, 0, W - d - 15, H - d - 15}, {W - d - 55, H - d - 16}, {W - d, H - d}, {4, 4}};
    case hpAboveRight:
      return {{d + 15, d, W, H - 15}, {d + 25, H - 16}, {0, H}, true,
              {15, 0, W - d, H - d - 15}, {25, H - d - 16}, {0, H - d}, {19, 4}};
    case hpBelowLeft:
      return {{d, d + 15, W - 15, H}, {W - 55, d + 16}, {W, d}, true,
              {0, 15, W - d - 15, H - d}, {W - d - 55, 16}, {W, 0}, {4, 19}};
    case hpBelowRight:
    default:
      return {{d + 15, d + 15, W, H}, {}, {}, false,
              {15, 15, W - d, H - d}, {25, 16}, {0, 0}, {19, 19}};
  }
}

void DrawNose(HDC dc, POINT a, POINT b) {
  POINT points[3] = {a, b, {a.x + kNoseBase, a.y}};
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

RECT Inclusive(RECT r) { return RECT{r.left, r.top, r.right + 1, r.bottom + 1}; }

}  // namespace

TFxShapeHintWindow::TFxShapeHintWindow(fw::TComponent* owner) : fw::THintWindow(owner) {
  Canvas().Brush().SetStyle(fw::bsClear);
}

TFxShapeHintWindow::~TFxShapeHintWindow() = default;

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

void TFxShapeHintWindow::GrowToShape(RECT& r) const {
  int d = hint_ ? hint_->Shadow().Depth() : 0;
  int w = r.right - r.left, h = r.bottom - r.top;
  switch (hint_ ? hint_->Style() : hsNoseRoundRect) {
    case hsRect:
      r.right += d;
      r.bottom += d;
      break;
    case hsRoundRect:
      r.right += d + 8;
      r.bottom += d + 4;
      break;
    case hsEllipse:
      r.right += w / 3 + d;
      r.bottom += h / 3 + d;
      break;
    case hsNoseRect:
    case hsNoseRoundRect:
      if (w < kMinNoseBody) r.right = r.left + kMinNoseBody;
      r.right += d + 23;
      r.bottom += d + 18;
      break;
    case hsNoseEllipse:
      r.right += w / 2 + d + 15;
      r.bottom += h / 2 + d + 15;
      break;
  }
}

POINT TFxShapeHintWindow::Place(POINT p, SIZE size, TFxHintPosition& position, const RECT& screen) {
  POINT at{};
  for (int attempt = 0; attempt < 4; ++attempt) {
    switch (position) {
      case hpAboveLeft: at = {p.x - 1 - size.cx, p.y - 1 - size.cy}; break;
      case hpAboveRight: at = {p.x + 1, p.y - 1 - size.cy}; break;
      case hpBelowLeft: at = {p.x - 3 - size.cx, p.y + 1}; break;
      case hpBelowRight: at = {p.x + 6, p.y + 1}; break;
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
  const TFxShadow& shadow = hint_->Shadow();
  const int d = shadow.Depth();
  const TFxHintStyle style = hint_->Style();
  const bool nosed = style == hsNoseRect || style == hsNoseRoundRect || style == hsNoseEllipse;
  const NoseShape nose = NoseShapeFor(position, W, H, d);
  const RECT plainShadow{d, d, W, H}, plainBody{0, 0, W - d, H - d};
  const RECT& shadowRect = nosed ? nose.shadow : plainShadow;
  const RECT& bodyRect = nosed ? nose.body : plainBody;

  // Fills (no outline) in the current brush: the shadow, and the nose-ellipse body.
  auto fillShape = [&](const RECT& r, bool isShadow) {
    switch (style) {
      case hsRect:
      case hsNoseRect: Rectangle(dc, r.left, r.top, r.right, r.bottom); break;
      case hsRoundRect:
      case hsNoseRoundRect: RoundRect(dc, r.left, r.top, r.right, r.bottom, kCorner, kCorner); break;
      case hsEllipse: Ellipse(dc, r.left, r.top, r.right, r.bottom); break;
      case hsNoseEllipse: {
        RECT e = Inclusive(r);
        Ellipse(dc, e.left, e.top, e.right, e.bottom);
        break;
      }
    }
    if (!nosed) return;
    if (isShadow && nose.shadowNose) DrawNose(dc, nose.shadowA, nose.shadowB);
    if (!isShadow) DrawNose(dc, nose.bodyA, nose.bodyB);
  };

  fw::SelectGuard noPen(dc, GetStockObject(NULL_PEN));
  if (shadow.Style() != hssNone) {
    fw::GdiBrush brush(shadow.Style() == hssTracing
                           ? CreatePatternBrush(FxApplication().CheckerboardPattern(shadow.Color()))
                           : CreateSolidBrush(fw::ColorToRGB(shadow.Color())));
    fw::SelectGuard useBrush(dc, brush.Get());
    int oldMode = SetROP2(dc, shadow.Style() == hssTracing ? R2_MASKPEN : R2_COPYPEN);
    if (style == hsNoseEllipse) {
      RECT e = Inclusive(shadowRect);
      Ellipse(dc, e.left, e.top, e.right, e.bottom);
      if (nose.shadowNose) {
        double towards = DegreesTowards(shadowRect, nose.shadowB);
        POINT pts[3] = {OnEllipse(shadowRect, towards - 12.5), nose.shadowB, OnEllipse(shadowRect, towards + 12.5)};
        Polygon(dc, pts, 3);
      }
    } else {
      fillShape(shadowRect, true);
    }
    SetROP2(dc, oldMode);
  }

  int oldMode = SetROP2(dc, R2_COPYPEN);
  fw::GdiBrush bodyBrush(CreateSolidBrush(fw::ColorToRGB(hint_->Color())));
  fw::GdiPen border(CreatePen(PS_SOLID, 1, fw::ColorToRGB(hint_->BorderColor())));
  fw::SelectGuard useBrush(dc, bodyBrush.Get());
  if (style == hsNoseEllipse) {
    // Filled body and nose, then one outline: the arc outside the nose
    // and the nose's two sides.
    double towards = DegreesTowards(bodyRect, nose.bodyB);
    POINT first = OnEllipse(bodyRect, towards - 12.5), second = OnEllipse(bodyRect, towards + 12.5);
    RECT e = Inclusive(bodyRect);
    Ellipse(dc, e.left, e.top, e.right, e.bottom);
    POINT pts[3] = {first, nose.bodyB, second};
    Polygon(dc, pts, 3);
    fw::SelectGuard usePen(dc, border.Get());
    Arc(dc, bodyRect.left, bodyRect.top, bodyRect.right, bodyRect.bottom, second.x, second.y, first.x, first.y);
    MoveToEx(dc, first.x, first.y, nullptr);
    LineTo(dc, nose.bodyB.x, nose.bodyB.y);
    LineTo(dc, second.x, second.y);
    int tw = text.right - text.left, th = text.bottom - text.top;
    OffsetRect(&text, bodyRect.left + (bodyRect.right - bodyRect.left - tw) / 2 - text.left,
               bodyRect.top + (bodyRect.bottom - bodyRect.top - th) / 2 - text.top);
  } else {
    fw::SelectGuard usePen(dc, border.Get());
    fillShape(bodyRect, false);
    if (nosed) {
      // The nose's own base edge goes: nose and body are one outline.
      fw::GdiPen wipe(CreatePen(PS_SOLID, 1, fw::ColorToRGB(hint_->Color())));
      fw::SelectGuard useWipe(dc, wipe.Get());
      MoveToEx(dc, nose.bodyA.x, nose.bodyA.y, nullptr);
      LineTo(dc, nose.bodyA.x + kNoseBase, nose.bodyA.y);
      OffsetRect(&text, nose.textOffset.x, nose.textOffset.y);
    } else if (style == hsRect) {
      OffsetRect(&text, 3, 3);
    } else if (style == hsRoundRect) {
      OffsetRect(&text, 5, 5);
    } else {
      OffsetRect(&text, (text.right - d) / 5 + 3, (text.bottom - d) / 5 + 3);
    }
  }
  SetROP2(dc, oldMode);
}

void TFxShapeHintWindow::Compose(fw::TCanvas& canvas, int width, int height, TFxHintPosition position,
                                 RECT textRect, const std::wstring& hint) const {
  if (!hint_) return;
  DrawShape(canvas, width, height, position, textRect);
  canvas.Brush().SetColor(hint_->Color());
  canvas.Font().Assign(hint_->Font());
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
  hint_ = active;
  SetHintText(hint);
  TFxHintPosition position = active->Position();

  RECT textRect{0, 0, active->TextWidthLimit(), 0};
  FxMeasure3DText(hint, &active->Font3D(), textRect, 0, 2, false, true, active->Font());
  RECT size = textRect;
  GrowToShape(size);
  const int W = size.right, H = size.bottom;
  SetBounds(0, 0, W, H);
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  POINT at = Place(anchor, SIZE{W, H}, position, screen);
  RECT placed{at.x, at.y, at.x + W, at.y + H};

  // A balloon shown now goes first; where it covered the new one's place,
  // the screen is what it had captured itself.
  bool predecessor = HandleAllocated() && IsWindowVisible(Handle()) && background_;
  ReleaseHint();
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
