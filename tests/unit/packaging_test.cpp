// The XScreenSaver description, the manual page, `zintu --help` and the
// settings table must agree: every switch the XML passes and every option the
// manual lists is one the program accepts and its help shows, the manual
// lists every option the help shows, and both choices of each setting are
// offered under the table's labels.
#include "app/settings.h"
#include "host/linux_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zintu {
namespace {

std::string read_file(const std::string& name) {
    std::ifstream in(std::string(ZINTU_PACKAGING_DIR) + "/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> matches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

// Option names without dashes.
std::set<std::string> xml_switches() {
    std::set<std::string> names;
    for (const std::string& arg : matches(read_file("zintu.xml"), R"(arg(?:-set)?="-([a-z-]+)\")"))
        names.insert(arg);
    return names;
}

std::set<std::string> manual_options() {
    // The option of each .TP paragraph of the OPTIONS section, e.g.
    // ".BI \-\-window\-id " ID"" gives "window-id".
    const std::string man = read_file("zintu.6");
    const std::size_t start = man.find(".SH OPTIONS");
    const std::string section = man.substr(start, man.find(".SH", start + 1) - start);
    std::set<std::string> names;
    for (std::string name : matches(section, R"(\.TP\n\.BI? \\-\\-([a-z\\-]+))")) {
        names.insert(std::regex_replace(name, std::regex(R"(\\-)"), "-"));
    }
    return names;
}

std::set<std::string> help_options() {
    std::set<std::string> names;
    for (const std::string& name : matches(usage_text(), R"(--([a-z][a-z-]*))"))
        names.insert(name);
    return names;
}

// True when `name`, with a sample value where it takes one, parses alone.
bool accepted(const std::string& name) {
    static const std::map<std::string, std::vector<std::string>> values = {
        {"window-id", {"5"}},
        {"snapshot", {"x.png"}},
        {"size", {"1x1", "--snapshot", "x.png"}},
        {"frame", {"1", "--snapshot", "x.png"}},
        {"at", {"2026-12-07 08:15:00"}},
        {"network", {"city.zintu"}},
    };
    std::vector<std::string> args = {"zintu", "-" + name};
    if (const auto it = values.find(name); it != values.end())
        args.insert(args.end(), it->second.begin(), it->second.end());
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    return parse_options(static_cast<int>(argv.size()), argv.data()).error.empty();
}

TEST(Packaging, XmlSwitchesAreOptionsTheHelpShows) {
    const std::set<std::string> xml = xml_switches(), help = help_options();
    ASSERT_FALSE(xml.empty());
    EXPECT_TRUE(xml.count("root")) << "XScreenSaver runs hacks with -root";
    for (const std::string& name : xml) {
        EXPECT_TRUE(accepted(name)) << name;
        EXPECT_TRUE(help.count(name)) << name;
    }
}

TEST(Packaging, ManualListsExactlyTheHelpsOptions) {
    const std::set<std::string> man = manual_options(), help = help_options();
    ASSERT_GT(man.size(), 10u);
    for (const std::string& name : man) {
        EXPECT_TRUE(help.count(name)) << name << " is in the manual but not in --help";
        EXPECT_TRUE(accepted(name)) << name << " is in the manual but not accepted";
    }
    for (const std::string& name : help) {
        EXPECT_TRUE(man.count(name)) << name << " is in --help but not in the manual";
    }
}

TEST(Packaging, EverySettingChoiceIsOfferedUnderItsLabel) {
    const std::string xml = read_file("zintu.xml");
    const std::set<std::string> man = manual_options();
    for (const SettingDefinition* spec : {&kSpeedSetting, &kZoomSetting}) {
        for (const SettingChoice* choice : {&spec->default_choice, &spec->other}) {
            const std::string option = std::string("_label=\"") + choice->label + "\" arg-set=\"-" +
                                       choice->linux_switch + "\"";
            EXPECT_NE(xml.find(option), std::string::npos) << option;
            EXPECT_TRUE(man.count(choice->linux_switch)) << choice->linux_switch;
            EXPECT_TRUE(accepted(choice->linux_switch)) << choice->linux_switch;
        }
        // The manual names the stored values too.
        const std::string manual = read_file("zintu.6");
        EXPECT_NE(manual.find(std::string("\"") + spec->other.value + "\""), std::string::npos);
        EXPECT_NE(manual.find(std::string("\"") + spec->default_choice.value + "\", the default"),
                  std::string::npos);
    }
}

TEST(Packaging, ManualNamesTheProgramsVersion) {
    EXPECT_NE(read_file("zintu.6").find("\"zintu " ZINTU_VERSION "\""), std::string::npos);
}

} // namespace
} // namespace zintu
