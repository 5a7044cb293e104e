// TSkinScrollingText: passes in each direction with their entry and end
// positions, the end-of-pass event, the property rules, the three ways a
// step reaches the screen, the timer thread, and destruction while running.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "controls/scrolling_text.h"
#include "stdctrls/edit.h"
#include "tests/controls/scroll_hook_dialog.h"
#include "tests/support/freed_memory.h"

namespace scroll_hook_test {
namespace {

using namespace skin;

int LineHeight(fw::TFont& font) {
  fw::MemoryDC dc(nullptr);
  fw::SelectGuard select(dc.Get(), font.Handle());
  TEXTMETRICW tm;
  GetTextMetricsW(dc.Get(), &tm);
  return tm.tmHeight;
}

TEST(ScrollingText, PassesEnterAtTheFarEdgeAndEndWhenTheTextHasLeft) {
  struct Case {
    TScrollDirection direction;
    int lines;
  } cases[] = {{sdRightToLeft, 1}, {sdBottomToTop, 1}, {sdBottomToTop, 3}, {sdLeftToRight, 1}, {sdTopToBottom, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "direction " << c.direction << ", lines " << c.lines);
    PaperDialog d([&](TSkinScrollingText& t) {
      t.SetScrollDirection(c.direction);
      for (int i = 1; i < c.lines; ++i) t.Strings().Add(L"line");
    });
    TSkinScrollingText& t = *d.text;
    const int w = t.Width(), h = t.Height();
    const RECT m = t.MeasureText();
    const int textW = m.right - m.left, textH = m.bottom - m.top;
    // The measured height holds the lines and the blank line after them.
    EXPECT_EQ(textH, (c.lines + 1) * LineHeight(t.Font()));
    POINT entry{}, last{};
    int steps = 0;
    switch (c.direction) {
      case sdRightToLeft: entry = {w, 0}, last = {-textW, 0}, steps = w + textW; break;
      case sdBottomToTop: entry = {0, h}, last = {0, -textH}, steps = h + textH; break;
      case sdLeftToRight: entry = {-w, 0}, last = {w, 0}, steps = 2 * w; break;
      case sdTopToBottom: entry = {0, -h}, last = {0, h}, steps = 2 * h; break;
    }
    EXPECT_EQ(t.TextOrigin().x, entry.x);
    EXPECT_EQ(t.TextOrigin().y, entry.y);
    std::vector<POINT> ends;
    t.OnTextScrolled = [&](fw::TObject* sender, bool& initial) {
      EXPECT_EQ(sender, &t);
      EXPECT_FALSE(initial);
      ends.push_back(t.TextOrigin());
    };
    for (int i = 0; i < steps; ++i) t.TimerStep();
    EXPECT_TRUE(ends.empty());
    EXPECT_EQ(t.TextOrigin().x, last.x);
    EXPECT_EQ(t.TextOrigin().y, last.y);
    t.TimerStep();  // ends the pass and starts the next one outside the edge
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(t.TextOrigin().x, entry.x);
    EXPECT_EQ(t.TextOrigin().y, entry.y);
    // A handler asking for the initial position puts the text at (0, 0).
    t.OnTextScrolled = [](fw::TObject*, bool& initial) { initial = true; };
    for (int i = 0; i <= steps; ++i) t.TimerStep();
    EXPECT_EQ(t.TextOrigin().x, 0);
    EXPECT_EQ(t.TextOrigin().y, 0);
  }
}

TEST(ScrollingText, DirectionIntervalAndNameRules) {
  PaperDialog d;
  TSkinScrollingText& t = *d.text;
  const POINT origin = t.TextOrigin();
  t.SetAlignment(fw::taCenter);
  t.SetScrollDirection(sdBottomToTop);  // vertical: the alignment stays
  EXPECT_EQ(t.Alignment(), fw::taCenter);
  t.SetScrollDirection(sdLeftToRight);
  EXPECT_EQ(t.Alignment(), fw::taLeftJustify);
  t.SetAlignment(fw::taRightJustify);
  t.SetScrollDirection(sdRightToLeft);
  EXPECT_EQ(t.Alignment(), fw::taLeftJustify);
  EXPECT_EQ(t.TextOrigin().x, origin.x);  // neither moves the text
  t.SetHeight(96);
  EXPECT_EQ(t.TextOrigin().y, origin.y);

  EXPECT_EQ(t.Timer().Interval(), 25u);  // the loaded dialog left the default
  t.SetInterval(70000);
  EXPECT_EQ(t.Interval(), 70000u);
  EXPECT_EQ(t.Timer().Interval(), 4464u);

  t.SetNumGlyphs(3);
  EXPECT_EQ(t.NumGlyphs(), 2);

  // A control placed at run time shows its name until it gets lines.
  TSkinScrollingText fresh(nullptr);
  fresh.SetName(L"SkinScrollingText1");
  EXPECT_EQ(fresh.Strings().Text(), L"SkinScrollingText1\r\n");
  fresh.SetName(L"Credits");
  EXPECT_EQ(fresh.Strings().Text(), L"Credits\r\n");
  fresh.Strings().Clear();
  fresh.Strings().Add(L"Own text");
  fresh.SetName(L"Other");
  EXPECT_EQ(fresh.Strings().Text(), L"Own text\r\n");
}

TEST(ScrollingText, AcceleratorFocusesItsControlWhileShown) {
  PaperDialog d([](TSkinScrollingText& t) {
    t.Strings().Clear();
    t.Strings().Add(L"&Notice");
  });
  auto* edit = new fw::TEdit(d.form.get());
  edit->SetParent(d.form.get());
  edit->SetBounds(10, 300, 80, 20);
  d.text->SetFocusControl(edit);
  ShowActive(*d.form);
  EXPECT_EQ(d.text->Perform(fw::CM_DIALOGCHAR, L'n', 0), 1);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(d.text->Perform(fw::CM_DIALOGCHAR, L'x', 0), 0);
  d.text->SetShowAccelChar(false);
  EXPECT_EQ(d.text->Perform(fw::CM_DIALOGCHAR, L'n', 0), 0);
  delete edit;  // the reference goes with it
  EXPECT_EQ(d.text->FocusControl(), nullptr);
}

std::unique_ptr<DibSurface> ClientPixels(fw::TForm& form) {
  auto s = std::make_unique<DibSurface>(418, 344);
  s->CaptureClient(form.Handle());
  return s;
}

// Every way of showing a step leaves on screen exactly what a full repaint
// at the new position shows; a transparent face shows the wallpaper. A hidden
// text shows nothing, stepping or not.
TEST(ScrollingText, StepsShowWhatAFullRepaintShows) {
  enum Mode { kScroll, kWallpaper, kTransparent };
  for (bool visible : {true, false})
    for (Mode mode : {kScroll, kWallpaper, kTransparent}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << (visible ? ", visible" : ", hidden"));
      PaperDialog d([&](TSkinScrollingText& t) {
        if (mode == kWallpaper) MakePaper(t.Wallpaper(), 30, 20);
        t.SetTransparent(mode == kTransparent);
        t.SetVisible(visible);
      });
      ShowActive(*d.form);
      RedrawWindow(d.form->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
      for (int i = 0; i < 60; ++i) {
        d.text->TimerStep();
        if (i % 7 == 0) Pump(1);
      }
      Pump();
      const auto stepped = ClientPixels(*d.form);
      RedrawWindow(d.form->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
      Pump();
      const auto repainted = ClientPixels(*d.form);
      int differ = 0, navy = 0;
      for (int y = 144; y < 185; ++y)
        for (int x = 24; x < 401; ++x) {
          differ += stepped->At(x, y) != repainted->At(x, y);
          navy += stepped->At(x, y) == RGB(0, 0, 128);
        }
      EXPECT_EQ(differ, 0);
      if (visible) EXPECT_GT(navy, 20);  // the text is there, at x >= 377 - 60
      else EXPECT_EQ(navy, 0);
      if (mode == kTransparent || !visible) {
        for (POINT p : {POINT{30, 150}, POINT{200, 180}, POINT{300, 144}})
          EXPECT_EQ(stepped->At(p.x, p.y), PaperAt(p.x, p.y)) << p.x << "," << p.y;
      }
    }
}

// The text reads as the window that paints it. With right-to-left reading
// the line reads right to left ("a_" shows its underscore left of the "a"),
// a roll's left alignment becomes right, and a pass across keeps the text at
// its origin, so that it still moves.
TEST(ScrollingText, RightToLeftReadingOfTheWindowThatPaintsIt) {
  struct Ink {
    int first = INT_MAX, last = -1, lowest = -1;
    long sumX = 0, lowSumX = 0;
    int count = 0, lowCount = 0;
  };
  auto inkOf = [](fw::TForm& form) {
    Pump();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    const auto s = ClientPixels(form);
    Ink ink;
    for (int y = 144; y < 185; ++y)
      for (int x = 24; x < 401; ++x)
        if (s->At(x, y) == RGB(0, 0, 128)) ink.lowest = y;
    for (int y = 144; y < 185; ++y)
      for (int x = 24; x < 401; ++x) {
        if (s->At(x, y) != RGB(0, 0, 128)) continue;
        ink.first = std::min(ink.first, x - 24);
        ink.last = std::max(ink.last, x - 24);
        ink.sumX += x, ++ink.count;
        if (y == ink.lowest) ink.lowSumX += x, ++ink.lowCount;
      }
    return ink;
  };
  for (TScrollDirection direction : {sdBottomToTop, sdRightToLeft}) {
    Ink ltr, rtl;
    for (bool rightToLeft : {false, true}) {
      SCOPED_TRACE(testing::Message() << "direction " << direction << (rightToLeft ? ", right to left" : ""));
      PaperDialog d([&](TSkinScrollingText& t) {
        t.SetScrollDirection(direction);
        t.Strings().Clear();
        t.Strings().Add(L"a_");
      });
      const HWND wnd = d.form->Handle();
      if (rightToLeft) SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_RTLREADING);
      ShowActive(*d.form);
      // Into the face: to the top for the roll, 100 pixels in for the pass.
      const int steps = direction == sdBottomToTop ? d.text->Height() : 100;
      for (int i = 0; i < steps; ++i) d.text->TimerStep();
      (rightToLeft ? rtl : ltr) = inkOf(*d.form);
      ASSERT_GT((rightToLeft ? rtl : ltr).lowCount, 0);
    }
    const int width = 377;
    SCOPED_TRACE(testing::Message() << "direction " << direction);
    // The underscore (the lowest ink) lies right of the letter, or left of it.
    EXPECT_GT(ltr.lowSumX / ltr.lowCount, ltr.sumX / ltr.count);
    EXPECT_LT(rtl.lowSumX / rtl.lowCount, rtl.sumX / rtl.count);
    EXPECT_NEAR(rtl.last - rtl.first, ltr.last - ltr.first, 1);  // the same two glyphs, in the other order
    if (direction == sdBottomToTop) {
      EXPECT_LT(ltr.first, 5);
      EXPECT_GT(rtl.last, width - 5) << "left alignment reads as right";
    } else {
      EXPECT_NEAR(ltr.first, width - 100, 3);
      EXPECT_NEAR(rtl.first, width - 100, 3) << "the pass keeps the text at its origin";
    }
  }
}

TEST(ScrollingText, TimerThreadStepsWhileActiveOnly) {
  PaperDialog d([](TSkinScrollingText& t) {
    t.SetWidth(40);  // short passes
    t.Strings().Clear();
    t.Strings().Add(L"ab");
    t.SetInterval(1);
    t.SetActive(true);  // already running while loading
  });
  TSkinScrollingText& t = *d.text;
  const int entry = t.Width();
  EXPECT_TRUE(t.Timer().Enabled());
  int passes = 0;
  t.OnTextScrolled = [&](fw::TObject*, bool&) {
    ++passes;
    t.SetActive(false);  // as the About box's handler does
  };
  ASSERT_TRUE(PumpUntil([&] { return t.TextOrigin().x < entry - 3; }));
  ASSERT_TRUE(PumpUntil([&] { return passes == 1; }));
  EXPECT_FALSE(t.Timer().Enabled());
  EXPECT_TRUE(t.Timer().Suspended());
  const POINT stopped = t.TextOrigin();
  EXPECT_EQ(stopped.x, entry);
  for (int i = 0; i < 20; ++i) {
    App().ProcessMessages();
    Sleep(2);
  }
  EXPECT_EQ(t.TextOrigin().x, stopped.x);
  EXPECT_EQ(passes, 1);
}

// Destroyed while the thread runs. From outside: the idle worker is raised
// first, so that it ends at once even on a busy machine, where the closing
// box would wait for it. From its own end-of-pass event (the text itself, or
// the form that owns it), while the worker waits for that very step: no
// deadlock. Either way nothing of the freed text is written afterwards.
TEST(ScrollingText, DestroyedWhileScrolling) {
  enum Way { kFromOutside, kFromOutsideTransparent, kByItsEventTheText, kByItsEventTheForm };
  for (Way way : {kFromOutside, kFromOutsideTransparent, kByItsEventTheText, kByItsEventTheForm}) {
    SCOPED_TRACE(testing::Message() << "way " << way);
    const bool byItsEvent = way == kByItsEventTheText || way == kByItsEventTheForm;
    PaperDialog d([&](TSkinScrollingText& t) {
      t.SetTransparent(way == kFromOutsideTransparent);
      t.SetInterval(1);
      if (byItsEvent) {  // short passes
        t.SetWidth(40);
        t.Strings().Clear();
        t.Strings().Add(L"ab");
      }
      t.SetActive(true);
    });
    HANDLE worker = OpenThread(THREAD_QUERY_INFORMATION | SYNCHRONIZE, FALSE, d.text->Timer().ThreadId());
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(GetThreadPriority(worker), THREAD_PRIORITY_IDLE);
    fwtest::FreedMemoryWatch watch;
    if (!byItsEvent) {
      const int entry = d.text->Width();
      ASSERT_TRUE(PumpUntil([&] { return d.text->TextOrigin().x < entry - 2; }));
      delete d.text;  // the thread may be handing over a step right now
      EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
      EXPECT_GE(GetThreadPriority(worker), THREAD_PRIORITY_NORMAL);
    } else {
      bool freed = false;
      d.text->OnTextScrolled = [&](fw::TObject*, bool&) {
        if (way == kByItsEventTheText) delete d.text;
        else d.form.reset();
        freed = true;
      };
      ASSERT_TRUE(PumpUntil([&] { return freed; }));
      EXPECT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
    }
    Pump(10);
    if (d.form) {
      EXPECT_EQ(d.form->ControlCount(), 3);
    }
    EXPECT_GT(watch.Freed(), 0);
    EXPECT_EQ(watch.WrittenAfterFree(), 0);
    CloseHandle(worker);
  }
}

}  // namespace
}  // namespace scroll_hook_test
