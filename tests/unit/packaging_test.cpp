// The XScreenSaver description, the manual pages, each program's --help and
// the settings table must agree: every switch the XML passes and every option
// a manual lists is one the program accepts and its help shows, each manual
// lists every option its program's help shows, and both choices of each
// setting are offered under the table's labels, the default one without a
// switch so that the settings file decides.
#include "app/settings.h"
#include "host/linux_options.h"
#include "options.h" // zintu-gtfs's

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
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

// The long options of the first line of each .TP paragraph of a manual's
// OPTIONS section: ".BI \-\-window\-id " ID"" gives "window-id".
std::set<std::string> manual_options(const std::string& name) {
    const std::string man = read_file(name);
    const std::size_t start = man.find(".SH OPTIONS");
    const std::string section = man.substr(start, man.find(".SH", start + 1) - start);
    std::set<std::string> names;
    for (const std::string& line : matches(section, R"(\.TP\n([^\n]*))")) {
        for (const std::string& option : matches(line, R"(\\-\\-((?:[a-z]|\\-)+))"))
            names.insert(std::regex_replace(option, std::regex(R"(\\-)"), "-"));
    }
    return names;
}

std::set<std::string> help_options(const std::string& usage) {
    std::set<std::string> names;
    for (const std::string& name : matches(usage, R"(--([a-z][a-z-]*))"))
        names.insert(name);
    return names;
}

// True when `name`, with a sample value where it takes one, parses alone.
bool zintu_accepts(const std::string& name) {
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

// True when zintu-gtfs knows the option (whether "1" suits it as a value or not).
bool gtfs_accepts(const std::string& name) {
    return gtfs::parse_options({"--help", "--" + name, "1"}).error.find("unknown option") ==
           std::string::npos;
}

struct Program {
    const char* manual;
    std::string usage;
    std::function<bool(const std::string&)> accepts;
};

const Program kPrograms[] = {
    {"zintu.6", usage_text(), zintu_accepts},
    {"zintu-gtfs.1", gtfs::kUsage, gtfs_accepts},
};

TEST(Packaging, XmlSwitchesAreOptionsTheHelpShows) {
    const std::set<std::string> xml = xml_switches(), help = help_options(usage_text());
    ASSERT_FALSE(xml.empty());
    EXPECT_TRUE(xml.count("root")) << "XScreenSaver runs hacks with -root";
    for (const std::string& name : xml) {
        EXPECT_TRUE(zintu_accepts(name)) << name;
        EXPECT_TRUE(help.count(name)) << name;
    }
}

TEST(Packaging, EachManualListsExactlyItsProgramsHelpOptions) {
    for (const Program& program : kPrograms) {
        const std::set<std::string> man = manual_options(program.manual),
                                    help = help_options(program.usage);
        ASSERT_GT(man.size(), 8u) << program.manual;
        for (const std::string& name : man) {
            EXPECT_TRUE(help.count(name)) << program.manual << ": " << name << " is not in --help";
            EXPECT_TRUE(program.accepts(name))
                << program.manual << ": " << name << " is not accepted";
        }
        for (const std::string& name : help) {
            EXPECT_TRUE(man.count(name))
                << program.manual << ": --help's " << name << " is not in the manual";
        }
    }
}

TEST(Packaging, EverySettingChoiceIsOfferedUnderItsLabel) {
    // Each <option> of the XML: its label, and its switch or "" without one.
    std::map<std::string, std::string> offered;
    const std::regex attribute(R"re(([a-z_-]+)="([^"]*)")re");
    for (const std::string& option : matches(read_file("zintu.xml"), R"(<option ([^>]*)/>)")) {
        std::map<std::string, std::string> attributes;
        for (auto it = std::sregex_iterator(option.begin(), option.end(), attribute);
             it != std::sregex_iterator(); ++it) {
            attributes[(*it)[1]] = (*it)[2];
        }
        offered[attributes["_label"]] = attributes["arg-set"];
    }
    const std::set<std::string> man = manual_options("zintu.6");
    const std::string manual = read_file("zintu.6");
    for (const SettingDefinition* spec : {&kSpeedSetting, &kZoomSetting}) {
        ASSERT_TRUE(offered.count(spec->default_choice.label)) << spec->default_choice.label;
        EXPECT_EQ(offered[spec->default_choice.label], "") << spec->default_choice.label;
        ASSERT_TRUE(offered.count(spec->other.label)) << spec->other.label;
        EXPECT_EQ(offered[spec->other.label], std::string("-") + spec->other.linux_switch);
        for (const SettingChoice* choice : {&spec->default_choice, &spec->other}) {
            EXPECT_TRUE(man.count(choice->linux_switch)) << choice->linux_switch;
            EXPECT_TRUE(zintu_accepts(choice->linux_switch)) << choice->linux_switch;
        }
        // The manual names the stored values too.
        EXPECT_NE(manual.find(std::string("\"") + spec->other.value + "\""), std::string::npos);
        EXPECT_NE(manual.find(std::string("\"") + spec->default_choice.value + "\", the default"),
                  std::string::npos);
    }
    EXPECT_EQ(offered.size(), 4u);
}

TEST(Packaging, ManualsAndChangelogNameTheProjectsVersion) {
    for (const Program& program : kPrograms) {
        EXPECT_NE(read_file(program.manual).find("\"zintu " ZINTU_VERSION "\""), std::string::npos)
            << program.manual;
    }
    EXPECT_EQ(read_file("changelog").rfind("zintu (" ZINTU_VERSION ") ", 0), 0u)
        << "the newest entry comes first";
}

} // namespace
} // namespace zintu
