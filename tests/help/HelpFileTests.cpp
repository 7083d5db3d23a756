// The built velmora.chm, decompiled with extract_chmLib: every file of the help's source folder is in
// it byte for byte, the contents and the index are in it and named where the viewer looks for them,
// every topic is in the contents, and every link of a topic, the contents or the index leads to a
// file inside the help.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path HelpSource = fs::path(VELMORA_SOURCE_DIR) / "help";

std::string bytesOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Paths of the files below folder, relative to it, with forward slashes.
std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), folder).generic_string());
    return files;
}

bool isTopic(const std::string& path) { return fs::path(path).extension() == ".html"; }

// Every link target written in a topic, the contents or the index: href and src attributes and the
// sitemap's "Local" parameters.
std::vector<std::string> linksIn(const std::string& text) {
    static const std::regex link(R"re((?:href|src)\s*=\s*"([^"]*)"|name="Local"\s+value="([^"]*)")re",
                                 std::regex::icase);
    std::vector<std::string> links;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), link); match != std::sregex_iterator(); ++match)
        links.push_back((*match)[1].matched ? (*match)[1].str() : (*match)[2].str());
    return links;
}

class HelpFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        extracted = fs::temp_directory_path() / ("velmora-help-" + std::to_string(getpid()));
        fs::remove_all(extracted);
        fs::create_directories(extracted);
        std::string command = "extract_chmLib '" + std::string(VELMORA_HELP_FILE) + "' '" + extracted.string() +
                              "' >/dev/null 2>&1";
        extractResult = std::system(command.c_str());
    }
    static void TearDownTestSuite() { fs::remove_all(extracted); }

    void SetUp() override {
        ASSERT_TRUE(fs::exists(VELMORA_HELP_FILE)) << "the build made no " << VELMORA_HELP_FILE;
        ASSERT_EQ(extractResult, 0) << "extract_chmLib (libchm-bin) failed on " << VELMORA_HELP_FILE;
    }

    static fs::path extracted;
    static int extractResult;
};

fs::path HelpFileTest::extracted;
int HelpFileTest::extractResult = -1;

}  // namespace

TEST_F(HelpFileTest, EveryFileOfTheTopicsFolderIsInTheHelpFileUnchanged) {
    std::vector<std::string> sources = filesBelow(HelpSource / "Published");
    ASSERT_GE(sources.size(), 11u);
    for (const std::string& file : sources) {
        SCOPED_TRACE(file);
        fs::path inside = extracted / "Published" / file;
        ASSERT_TRUE(fs::exists(inside));
        EXPECT_EQ(bytesOf(inside), bytesOf(HelpSource / "Published" / file));
    }
}

// The viewer finds the contents, the index, the first topic and the window's title through the help
// file's #SYSTEM, #WINDOWS and #STRINGS records.
TEST_F(HelpFileTest, ContentsAndIndexAreInTheHelpFileWhereTheViewerLooks) {
    for (const char* file : {"velmora.hhc", "velmora.hhk"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::exists(extracted / file));
        EXPECT_EQ(bytesOf(extracted / file), bytesOf(HelpSource / file));
    }
    // #SYSTEM names them for the file; the window definition "main" names them through #STRINGS.
    ASSERT_TRUE(fs::exists(extracted / "#WINDOWS"));
    for (const char* record : {"#SYSTEM", "#STRINGS"}) {
        SCOPED_TRACE(record);
        std::string bytes = bytesOf(extracted / record);
        for (const char* named :
             {"velmora.hhc", "velmora.hhk", "Published/A_01_welcome.html", "Velmora Help", "main"})
            EXPECT_NE(bytes.find(std::string(named) + '\0'), std::string::npos) << named;
    }
}

// The program opens the contents (Help Contents) and the import topic (the Import Photos dialog's
// help button) by these names.
TEST_F(HelpFileTest, TheTopicsTheProgramOpensAreThere) {
    for (const char* topic : {"Published/A_01_welcome.html", "Published/B_03_howto_import.html"}) {
        SCOPED_TRACE(topic);
        EXPECT_TRUE(fs::exists(extracted / topic));
    }
}

TEST_F(HelpFileTest, EveryTopicIsInTheContentsAndNoneIsLeftOut) {
    std::vector<std::string> inContents = linksIn(bytesOf(extracted / "velmora.hhc"));
    std::set<std::string> listed(inContents.begin(), inContents.end());
    EXPECT_EQ(listed.size(), inContents.size()) << "a topic is listed twice";
    std::set<std::string> topics;
    for (const std::string& file : filesBelow(extracted / "Published"))
        if (isTopic(file))
            topics.insert("Published/" + file);
    EXPECT_EQ(listed, topics);
}

TEST_F(HelpFileTest, EveryLinkLeadsToAFileInsideTheHelp) {
    std::vector<std::string> linking = {"velmora.hhc", "velmora.hhk"};
    for (const std::string& file : filesBelow(extracted / "Published"))
        if (isTopic(file))
            linking.push_back("Published/" + file);
    std::size_t checked = 0;
    for (const std::string& file : linking) {
        for (std::string link : linksIn(bytesOf(extracted / file))) {
            SCOPED_TRACE(file + " -> " + link);
            link = link.substr(0, link.find('#'));
            if (link.empty())
                continue;
            EXPECT_EQ(link.find(':'), std::string::npos) << "a link out of the help";
            fs::path target = (extracted / fs::path(file).parent_path() / link).lexically_normal();
            EXPECT_TRUE(fs::is_regular_file(target));
            EXPECT_EQ(fs::relative(target, extracted).string().rfind("..", 0), std::string::npos);
            ++checked;
        }
    }
    EXPECT_GT(checked, 100u);
}
