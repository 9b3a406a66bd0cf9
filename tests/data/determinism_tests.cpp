// Building the data twice gives byte-identical Resources, and the builder draws its contact sheet.
#include "tests/data/data_fixture.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

int run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::string> treeOf(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), root).generic_string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

class DataRebuild : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(_folder.fCreate("qor_data_"));
    _scratch = _folder.fPath();
  }
  void TearDown() override { _folder.fRemove(); }
  qor_test::ScratchDir _folder;
  fs::path _scratch;
};

TEST_F(DataRebuild, TwoBuildsGiveByteIdenticalResources) {
  const fs::path builder = qor_test::fBuilderProgram();
  std::string names;
  const fs::path list = _scratch / "steps.txt";
  ASSERT_EQ(run(quoted(builder) + " steps > " + quoted(list)), 0);
  std::ifstream in(list);
  std::vector<std::string> steps;
  for (std::string step; std::getline(in, step);)
    if (!step.empty()) steps.push_back(step);
  ASSERT_FALSE(steps.empty());
  // The steps are independent: run them side by side as the build does.
  const fs::path staging = _scratch / "staging";
  std::vector<int> results(steps.size(), -1);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < steps.size(); ++i)
    threads.emplace_back([&, i] {
      results[i] = run(quoted(builder) + " step " + steps[i] + " " + quoted(staging) + " " +
                       quoted(qor_test::fDataSourceDir()) + " >/dev/null 2>&1");
    });
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < steps.size(); ++i) ASSERT_EQ(results[i], 0) << "step " << steps[i];
  const fs::path resources = _scratch / "Resources";
  ASSERT_EQ(run(quoted(builder) + " packs " + quoted(staging) + " " + quoted(resources)), 0);

  const std::map<std::string, std::string> first = treeOf(qor_test::fResourcesDir());
  const std::map<std::string, std::string> second = treeOf(resources);
  EXPECT_GT(second.size(), 10u);
  for (const auto& [name, bytes] : second) {
    const auto other = first.find(name);
    if (other == first.end()) {
      ADD_FAILURE() << name << " is only in the second build";
      continue;
    }
    EXPECT_TRUE(other->second == bytes) << name << " differs between two builds";
  }
  for (const auto& [name, bytes] : first)
    if (name != "cheating.txt") {
      EXPECT_EQ(second.count(name), 1u) << name << " is only in the first build";
    }
}

TEST_F(DataRebuild, ContactSheetIsOnePicture) {
  const fs::path png = _scratch / "sheet.png";
  ASSERT_EQ(run(quoted(qor_test::fBuilderProgram()) + " contact-sheet " + quoted(qor_test::fStagingDir()) + " " +
                quoted(png)),
            0);
  std::ifstream in(png, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  qor_test::QS_PICTURE_INFO info;
  std::string why;
  ASSERT_TRUE(qor_test::fDecodePicture(bytes, info, why)) << why;
  EXPECT_GE(info.width, 1000);
  EXPECT_GE(info.height, 1000);
}

}  // namespace
