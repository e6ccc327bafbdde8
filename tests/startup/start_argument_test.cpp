#include "app/startup/start_argument.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/errors.h"

namespace kardomel {
namespace {

class StartArgument : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kardomel-start-XXXXXX";
    dir_ = std::string(mkdtemp(pattern)) + "/";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Touch(const std::string& name) {
    std::ofstream(dir_ + name) << "x";
    return dir_ + name;
  }
  std::string dir_;
};

TEST_F(StartArgument, ClassifiesByExtension) {
  struct {
    const char* name;
    TStartCase expected;
  } cases[] = {
      {"set.KDM", TStartCase::Join},   {"set.kdm", TStartCase::Join},
      {"set.kDm", TStartCase::Join},   {"set.001", TStartCase::Join},
      {"set.099", TStartCase::Join},   {"set.042", TStartCase::Join},
      {"set.000", TStartCase::Split},  {"set.0ab", TStartCase::Split},
      {"set.100", TStartCase::Split},  {"set.5", TStartCase::Split},
      {"set.7z", TStartCase::Split},   {"set.txt", TStartCase::Split},
      {"set.zip", TStartCase::Split},  {"noextension", TStartCase::Split},
      {"link.lnk", TStartCase::Split}, {"a.kdm.txt", TStartCase::Split},
  };
  for (const auto& c : cases) {
    std::string path = Touch(c.name);
    TStartArgument arg = ClassifyStartArgument({path, "ignored.001"});
    EXPECT_EQ(arg.Case, c.expected) << c.name;
    EXPECT_EQ(arg.Folder, dir_) << c.name;
    EXPECT_EQ(arg.FileName, c.name) << c.name;
  }
}

TEST_F(StartArgument, NoFileIsAnInteractiveStart) {
  std::filesystem::create_directory(dir_ + "folder.001");
  std::string file = Touch("later.001");
  struct {
    const char* name;
    std::vector<std::string> args;
  } cases[] = {
      {"no argument", {}},
      {"empty argument", {""}},
      {"missing file", {dir_ + "gone.001"}},
      {"a folder", {dir_ + "folder.001"}},
      {"only the first counts", {dir_ + "gone.txt", file}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyStartArgument(c.args).Case, TStartCase::Interactive) << c.name;
}

TEST(AutoRun, PlansTheRunFromTheOptions) {
  TOptions o;
  o.KittFolder = "/kitt/";
  o.SplitFolder = "/split/";
  o.DstSize = "E-Mail 5MB";
  using A = TAutoRun::TAction;
  struct {
    const char* name;
    TStartCase startCase;
    bool sendTo, kittSel, automatic, splitSel;
    A action;
    bool sameDir;
    const char* folder;
  } cases[] = {
      {"interactive", TStartCase::Interactive, true, true, true, true, A::None, true, ""},
      {"join into source", TStartCase::Join, false, false, false, false, A::Join, true, ""},
      {"join folder needs the shell option", TStartCase::Join, false, true, false, false, A::Join,
       true, ""},
      {"join into chosen folder", TStartCase::Join, true, true, false, false, A::Join, false,
       "/kitt/"},
      {"split off", TStartCase::Split, true, false, false, true, A::SelectOnly, true, ""},
      {"split into source", TStartCase::Split, false, false, true, false, A::Split, true, ""},
      {"split into chosen folder", TStartCase::Split, false, false, true, true, A::Split, false,
       "/split/"},
  };
  for (const auto& c : cases) {
    o.SendTo = c.sendTo;
    o.KittSel = c.kittSel;
    o.Automatic = c.automatic;
    o.SplitSel = c.splitSel;
    TAutoRun run = PlanAutoRun(c.startCase, o);
    EXPECT_EQ(run.Action, c.action) << c.name;
    EXPECT_EQ(run.SameDir, c.sameDir) << c.name;
    EXPECT_EQ(run.DstFolder, c.folder) << c.name;
    EXPECT_EQ(run.SizeText, c.action == A::Split ? "E-Mail 5MB" : "") << c.name;
  }
}

TEST_F(StartArgument, ForceFolderCreatesParentsOrRefuses) {
  ForceFolder(dir_ + "a/b/c");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "a/b/c"));
  ForceFolder(dir_ + "a/b/c");  // existing is fine
  Touch("plain");
  for (const std::string& bad : {std::string(), dir_ + "plain", dir_ + "plain/sub"}) {
    try {
      ForceFolder(bad);
      ADD_FAILURE() << "no error for '" << bad << "'";
    } catch (const EKardomel& e) {
      EXPECT_STREQ(e.what(), "Verzeichnis kann nicht erstellt werden") << bad;
    }
  }
}

}  // namespace
}  // namespace kardomel
