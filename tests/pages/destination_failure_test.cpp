// The destination page when the route file cannot be written or the input cannot be
// read: the user is told, and the file on the card stays as it was.
#include <gtest/gtest.h>

#include "pages/messages.h"
#include "tests/pages/page_fixture.h"

namespace pages {
namespace {

using Texts = std::vector<std::u16string>;

class DestinationFailureTest : public PageTest {
 protected:
  // Registers and then deletes the waypoint, both answered Yes.
  void RegisterAndDelete() {
    driver->Enter(*window->edDesName, u"New");
    TypeFields("edDes", {u"139", u"45", u"30.0", u"35", u"40", u"0.0"});
    Register();
    Delete(*window->btnPassDelete);
  }
};

TEST_F(DestinationFailureTest, UnwritableRouteFileIsReportedAndLeftAsItWas) {
  struct Case {
    const char* what;
    std::function<void(testing_support::RouteFileContent&)> change;
    bool write_file;
  };
  const Case cases[] = {
      {"missing", nullptr, false},
      {"wrong identity", [](auto& c) { c.identity = "abcdefghi"; }, true},
      {"wrong magic", [](auto& c) { c.magic = "XXXX"; }, true},
      {"short", [](auto& c) { c.length = 4000; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform.message_box.shown.clear();
    if (c.write_file) {
      testing_support::RouteFileContent content = DestinationOnly(1, 10800000, 4200000, "Home");
      c.change(content);
      card.RouteFile(content);
    }
    const std::optional<std::string> before = card.ReadFile(kRouteFile);
    StartOnDestinationPage();
    platform.clock.pauses.clear();
    RegisterAndDelete();
    EXPECT_EQ(card.ReadFile(kRouteFile), before);
    EXPECT_EQ(Messages(), (Texts{kAskRegister, kRouteNotWritten, kAskDelete, kRouteNotWritten}));
    EXPECT_NE(window->stMessage1->Caption(), kWritingDone);
    EXPECT_FALSE(window->PanelMessage1->Visible());
    // Waits of a write are only asked for when something is written.
    EXPECT_TRUE(platform.clock.pauses.empty());
    // The delete changed nothing on the page either.
    EXPECT_EQ(driver->TextOf("edDesName"), u"New");
  }
}

TEST_F(DestinationFailureTest, RouteFileHeldByAnotherProgramIsNotWritten) {
  card.RouteFile(DestinationOnly(1, 10800000, 4200000, "Home"));
  const std::string before = RouteBytes();
  platform::File held = platform.files.Open(card.drive() + "\\Navi\\Pelmo.adb", platform::Access::ReadWrite,
                                            platform::Share::None, platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  StartOnDestinationPage();
  RegisterAndDelete();
  EXPECT_EQ(RouteBytes(), before);
  EXPECT_EQ(Messages(), (Texts{kAskRegister, kRouteNotWritten, kAskDelete, kRouteNotWritten}));

  // Once the other program lets go, opening the page again writes.
  held.Close();
  driver->Click(*window->btnGoManu);
  OpenDestinationPage();
  driver->Enter(*window->edDesName, u"Free");
  Register();
  EXPECT_EQ(card::RouteName(ReadBackRoute(), card::RoutePoint::Destination), "Free");
}

TEST_F(DestinationFailureTest, DegreesOrMinutesThatAreNoWholeNumberStopTheRegister) {
  card.RouteFile(DestinationOnly(1, 10800000, 4200000, "Home"));
  const std::string before = RouteBytes();
  StartOnDestinationPage();
  // Pasted texts that pass the field checks (in range) but are not whole numbers.
  const std::pair<const char*, std::u16string_view> pasted[] = {
      {"edDesNDeg", u"135.5"}, {"edDesEMin", u"30.5"}, {"edPassNMin", u"1e1"}};
  for (const auto& [field, text] : pasted) {
    SCOPED_TRACE(field);
    driver->Click(*window->btnGoManu);
    OpenDestinationPage();
    platform.message_box.shown.clear();
    platform.clock.pauses.clear();
    driver->Paste(*driver->Find(field), text);
    driver->Leave();
    EXPECT_EQ(driver->TextOf(field), text);
    Register();
    EXPECT_EQ(Messages(), (Texts{kAskRegister, kNotWholeNumber}));
    EXPECT_FALSE(window->PanelMessage1->Visible());
    EXPECT_TRUE(platform.clock.pauses.empty());
    EXPECT_EQ(RouteBytes(), before);
    EXPECT_FLOAT_EQ(window->m_pntDes.x, 10800000);
  }
}

TEST_F(DestinationFailureTest, PastedGarbageIsRefusedWithoutChangingTheFile) {
  card.RouteFile(DestinationOnly(1, 10800000, 4200000, "Home"));
  const std::string before = RouteBytes();
  StartOnDestinationPage();
  const Texts shown = Fields("edDes");
  const char* fields[] = {"edDesNDeg", "edDesNMin", "edDesNSec", "edDesEDeg", "edDesEMin", "edDesESec"};
  for (size_t i = 0; i < std::size(fields); ++i) {
    const char* field = fields[i];
    SCOPED_TRACE(field);
    platform.message_box.shown.clear();
    driver->Paste(*driver->Find(field), u"東京\t;DROP");
    driver->Leave();
    EXPECT_EQ(Messages(), (Texts{kNotANumber}));
    driver->Paste(*driver->Find(field), shown[i]);  // put the shown text back
  }
  platform.message_box.shown.clear();
  driver->Paste(*window->edDesMapCode, u"東京;DROP*");
  driver->Leave();
  EXPECT_EQ(Messages(), (Texts{kOutOfRange}));
  EXPECT_EQ(RouteBytes(), before);
}

TEST_F(DestinationFailureTest, CardRemovedWhileThePageIsOpenLeavesTheFileAlone) {
  card.RouteFile(DestinationOnly(1, 10800000, 4200000, "Home"));
  const std::string before = RouteBytes();
  StartOnDestinationPage();
  TypeFields("edDes", {u"140", u"1", u"2.0", u"36", u"3", u"4.0"});
  platform.volumes.Detach(card.letter());
  EXPECT_EQ(driver->PageShown("nbMainMenu"), TFNaviEdit::kMenuPage);
  // The page is gone from the screen: its buttons do nothing.
  platform.message_box.shown.clear();
  Register();
  Delete(*window->btnDesDelete);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(RouteBytes(), before);
}

}  // namespace
}  // namespace pages
