// TStringList: contents, and the OnChanging/OnChange sequence with and
// without BeginUpdate/EndUpdate.
#include <gtest/gtest.h>

#include <string>

#include "graphics/graphics_errors.h"
#include "framework/strings.h"

using namespace fw;

namespace {

struct Recorder {
  std::string log;
  void Attach(TStringList& list) {
    list.OnChanging = [this] { log += '<'; };
    list.OnChange = [this] { log += '>'; };
  }
};

}  // namespace

TEST(StringList, OneNotificationPairPerChange) {
  TStringList list;
  Recorder r;
  r.Attach(list);
  EXPECT_EQ(list.Add(L"kilogram"), 0);
  EXPECT_EQ(list.Add(L"gram"), 1);
  list.Insert(0, L"tonne");
  EXPECT_EQ(r.log, "<><><>");
  list.Delete(1);
  list.Put(0, L"ton");
  list.SetObject(0, 42);
  EXPECT_EQ(r.log, "<><><><><><>");
  list.Clear();
  list.Clear();  // already empty: nothing
  EXPECT_EQ(r.log, "<><><><><><><>");
}

TEST(StringList, UpdateBatchesReportOnceAndOnlyWhenSomethingChanged) {
  TStringList list;
  Recorder r;
  r.Attach(list);
  list.BeginUpdate();
  list.Add(L"a");
  list.BeginUpdate();  // nested
  list.Add(L"b");
  list.EndUpdate();
  list.Add(L"c");
  EXPECT_EQ(r.log, "<");  // changing before the first change, change at the end
  list.EndUpdate();
  EXPECT_EQ(r.log, "<>");
  list.BeginUpdate();
  list.EndUpdate();
  EXPECT_EQ(r.log, "<>");
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(list.UpdateCount(), 0);
  list.SetText(L"x\r\ny\nz");  // a batch of its own
  EXPECT_EQ(r.log, "<><>");
  EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, ContentsObjectsAndText) {
  TStringList list;
  list.AddObject(L"Metre", 10);
  list.AddObject(L"Inch", 20);
  list.Add(L"Foot");
  EXPECT_EQ(list[1], L"Inch");
  EXPECT_EQ(list.Object(1), 20);
  EXPECT_EQ(list.Object(2), 0);
  EXPECT_EQ(list.IndexOf(L"inch"), 1);  // case-insensitive
  EXPECT_EQ(list.IndexOf(L"Yard"), -1);
  EXPECT_EQ(list.IndexOfObject(10), 0);
  EXPECT_EQ(list.Text(), L"Metre\r\nInch\r\nFoot\r\n");
  list.Put(1, L"Mile");
  EXPECT_EQ(list.Object(1), 20);  // replacing the text keeps the object
  list.Exchange(0, 2);
  EXPECT_EQ(list.Text(), L"Foot\r\nMile\r\nMetre\r\n");
  EXPECT_EQ(list.Object(2), 10);
  list.Move(2, 0);
  EXPECT_EQ(list.Text(), L"Metre\r\nFoot\r\nMile\r\n");
  list.SetText(L"one\r\n\r\ntwo\r\n");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1], L"");
  TStringList copy;
  copy.Assign(list);
  EXPECT_EQ(copy.Text(), list.Text());
}

TEST(StringList, BadIndexThrowsAndChangesNothing) {
  TStringList list;
  list.Add(L"a");
  Recorder r;
  r.Attach(list);
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(3, L"x"), EStringListError);
  EXPECT_THROW(list.Get(-1), EStringListError);
  EXPECT_THROW(list.Put(5, L"x"), EStringListError);
  EXPECT_NO_THROW(list.Insert(1, L"end"));  // at the end is allowed
  EXPECT_EQ(r.log, "<>");
  EXPECT_EQ(list.Count(), 2);
}
