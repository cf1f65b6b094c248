// The XScreenSaver description, the manual pages and each program's --help
// name the same options, each accepted; the description switches only to a
// setting's other choices, so that the settings file decides the default.
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

// True when `name`, with a sample value where it takes one, parses alone.
bool zintu_accepts(const std::string& name) {
    // clang-format off
    static const std::map<std::string, std::vector<const char*>> values = {
        {"window-id", {"5"}}, {"snapshot", {"x.png"}}, {"size", {"1x1", "--snapshot", "x.png"}},
        {"frame", {"1", "--snapshot", "x.png"}}, {"at", {"2026-12-07 08:15:00"}},
        {"network", {"city.zintu"}}, {"colours", {"lines"}}};
    // clang-format on
    const std::string option = "-" + name;
    std::vector<const char*> argv = {"zintu", option.c_str()};
    if (const auto it = values.find(name); it != values.end())
        argv.insert(argv.end(), it->second.begin(), it->second.end());
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
        // The long option that each paragraph (.TP) opens with.
        const std::string man = std::regex_replace(read_file(manual), std::regex(R"(\\-)"), "-");
        const std::set<std::string> options = found(man, R"(\.TP\n[^\n]*?--([a-z][a-z-]*))");
        ASSERT_GT(options.size(), 8u) << manual;
        EXPECT_EQ(options, found(usage, R"(--([a-z][a-z-]*))")) << manual;
        for (const std::string& name : options)
            EXPECT_TRUE(accepts(name)) << manual << ": " << name << " is not accepted";
        EXPECT_NE(man.find("\"zintu " ZINTU_VERSION "\""), std::string::npos);
    }
    const std::string xml = read_file("zintu.xml");
    const std::set<std::string> switches = found(xml, R"(arg(?:-set)?="-([a-z-]+)\")");
    EXPECT_TRUE(switches.count("root")) << "XScreenSaver runs hacks with -root";
    for (const std::string& name : switches)
        EXPECT_TRUE(zintu_accepts(name) &&
                    std::string(usage_text()).find("--" + name) != std::string::npos)
            << name;
    for (const SettingDefinition* s : {&kSpeedSetting, &kZoomSetting})
        EXPECT_TRUE(switches.count(s->other.linux_switch) &&
                    !switches.count(s->default_choice.linux_switch));
    // The colours: "auto", the default, leaves them to the settings file.
    const std::set<std::string> colours = found(xml, R"(arg-set="-colours ([a-z]+)\")");
    EXPECT_EQ(colours, (std::set<std::string>{"lines", "featured"}));
    for (const std::string& value : colours)
        EXPECT_TRUE(parse_colour_scheme(value)) << value;
    EXPECT_EQ(read_file("changelog").rfind("zintu (" ZINTU_VERSION ") ", 0), 0u)
        << "the newest entry comes first";
}

} // namespace
} // namespace zintu
