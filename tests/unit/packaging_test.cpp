// The XScreenSaver description, the manual pages, each program's --help and
// the settings table agree: the same options, each accepted; both choices of
// each setting offered under the table's labels, the default one without a
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
    std::ostringstream text;
    text << std::ifstream(std::string(ZINTU_PACKAGING_DIR) + "/" + name).rdbuf();
    return text.str();
}

// The first group of each match of `pattern`.
std::set<std::string> found(const std::string& text, const std::string& pattern) {
    std::set<std::string> names;
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        names.insert((*it)[1]);
    return names;
}

std::set<std::string> help_options(const std::string& usage) {
    return found(usage, R"(--([a-z][a-z-]*))");
}

// The long options of the first line of each .TP paragraph of a manual's
// OPTIONS section: ".BI \-\-window\-id " ID"" gives "window-id".
std::set<std::string> manual_options(const std::string& name) {
    const std::string man = read_file(name);
    const std::size_t start = man.find(".SH OPTIONS");
    std::set<std::string> names;
    for (const std::string& line :
         found(man.substr(start, man.find(".SH", start + 1) - start), R"(\.TP\n([^\n]*))")) {
        for (const std::string& option : found(line, R"(\\-\\-((?:[a-z]|\\-)+))"))
            names.insert(std::regex_replace(option, std::regex(R"(\\-)"), "-"));
    }
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

TEST(Packaging, XmlManualsAndHelpNameTheSameOptionsAndVersion) {
    const struct {
        const char* manual;
        std::string usage;
        std::function<bool(const std::string&)> accepts;
    } programs[] = {
        {"zintu.6", usage_text(), zintu_accepts},
        {"zintu-gtfs.1", gtfs::kUsage, gtfs_accepts},
    };
    for (const auto& [manual, usage, accepts] : programs) {
        const std::set<std::string> man = manual_options(manual);
        ASSERT_GT(man.size(), 8u) << manual;
        EXPECT_EQ(man, help_options(usage)) << manual;
        for (const std::string& name : man)
            EXPECT_TRUE(accepts(name)) << manual << ": " << name << " is not accepted";
        EXPECT_NE(read_file(manual).find("\"zintu " ZINTU_VERSION "\""), std::string::npos);
    }
    const std::set<std::string> xml =
        found(read_file("zintu.xml"), R"(arg(?:-set)?="-([a-z-]+)\")");
    EXPECT_TRUE(xml.count("root")) << "XScreenSaver runs hacks with -root";
    for (const std::string& name : xml)
        EXPECT_TRUE(zintu_accepts(name) && help_options(usage_text()).count(name)) << name;
    EXPECT_EQ(read_file("changelog").rfind("zintu (" ZINTU_VERSION ") ", 0), 0u)
        << "the newest entry comes first";
}

TEST(Packaging, EverySettingChoiceIsOfferedUnderItsLabel) {
    // Each <option> of the XML: its label, and its switch or "" without one.
    std::map<std::string, std::string> offered;
    const std::string xml = read_file("zintu.xml"), manual = read_file("zintu.6");
    const std::regex option(R"re(<option id="[^"]*" _label="([^"]*)"(?: arg-set="([^"]*)")?/>)re");
    for (std::sregex_iterator it(xml.begin(), xml.end(), option), end; it != end; ++it)
        offered[(*it)[1]] = (*it)[2];
    EXPECT_EQ(offered.size(), 4u);
    const std::set<std::string> man = manual_options("zintu.6");
    for (const SettingDefinition* setting : {&kSpeedSetting, &kZoomSetting}) {
        EXPECT_EQ(offered.at(setting->default_choice.label), "");
        EXPECT_EQ(offered.at(setting->other.label), std::string("-") + setting->other.linux_switch);
        for (const SettingChoice* choice : {&setting->default_choice, &setting->other})
            EXPECT_TRUE(man.count(choice->linux_switch) && zintu_accepts(choice->linux_switch))
                << choice->linux_switch;
        // The manual names the stored values too.
        EXPECT_NE(manual.find(std::string("\"") + setting->other.value + "\""), std::string::npos);
        EXPECT_NE(
            manual.find(std::string("\"") + setting->default_choice.value + "\", the default"),
            std::string::npos);
    }
}

} // namespace
} // namespace zintu
