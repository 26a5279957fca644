// The shared implementation: pure helpers (records, level sets, INI reading, configuration
// search, clock) and what only a private unit instance can show (serial port on a
// pseudo-terminal, the gate of the one-check fast path).

#include "vesk_TraceUnit.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>  // NOLINT(modernize-deprecated-headers): POSIX posix_openpt, setenv
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "TraceTestSupport.h"

namespace {

using namespace veskTraceImpl;
using traceTest::TTempDir;
using traceTest::WriteFile;

constexpr TLevelMask Bit(unsigned level) {
    return 1u << level;
}

// ---- encoded records ----------------------------------------------------------------------

TEST(TraceEncodeLine, DocumentedExamples) {
    EXPECT_EQ(EncodeLine("abc"), "0003606060");
    EXPECT_EQ(EncodeLine("Hi!"), "0003496B22");
}

TEST(TraceEncodeLine, EmptyLineIsLengthOnly) {
    EXPECT_EQ(EncodeLine(""), "0000");
}

TEST(TraceEncodeLine, CounterWrapsFrom255BackTo1) {
    // Zero bytes show the counter itself.
    const std::string record = EncodeLine(std::string(300, '\0'));
    ASSERT_EQ(record.size(), 4u + 600u);
    EXPECT_EQ(record.substr(0, 4), "012C");
    EXPECT_EQ(record.substr(4, 2), "01");
    EXPECT_EQ(record.substr(4 + 2 * 254, 2), "FF");  // 255th byte
    EXPECT_EQ(record.substr(4 + 2 * 255, 2), "01");  // 256th byte: back to 1, never 0
    EXPECT_EQ(record.substr(4 + 2 * 256, 2), "02");
}

TEST(TraceEncodeLine, HighBytesAndUpperCaseHex) {
    EXPECT_EQ(EncodeLine("\xFF\xE4"), "0002FEE6");  // 0xFF^1, 0xE4^2
}

TEST(TraceEncodeLine, LinesOf64KiBAndMoreGetALongerLengthField) {
    EXPECT_EQ(EncodeLine(std::string(0xFFFF, 'x')).substr(0, 4), "FFFF");
    const std::string record = EncodeLine(std::string(70000, 'x'));
    EXPECT_EQ(record.size(), 5u + 140000u);
    EXPECT_EQ(record.substr(0, 5), "11170");  // 70000 = 0x11170, as "%.4X" gives
}

// ---- level sets ---------------------------------------------------------------------------

TEST(TraceParseLevels, DocumentedCases) {
    EXPECT_EQ(ParseLevels("ERROR, WARNING"), Bit(tlError) | Bit(tlWarning));
    EXPECT_EQ(ParseLevels("ALL"), kAllLevels);
    EXPECT_EQ(ParseLevels("DEBUG,NONE"), 0u);
    EXPECT_EQ(ParseLevels("NONE,DEBUG"), 0u);
    EXPECT_EQ(ParseLevels("ERROR, NONE, DEBUG"), 0u);
    EXPECT_EQ(ParseLevels("bogus, all, none"), kAllLevels);  // ALL ends the parsing
    EXPECT_EQ(ParseLevels("DEBUG, ALL"), kAllLevels);
}

TEST(TraceParseLevels, EveryKeywordAnyCaseTrimmed) {
    EXPECT_EQ(ParseLevels("information"), Bit(1));
    EXPECT_EQ(ParseLevels(" Success "), Bit(2));
    EXPECT_EQ(ParseLevels("\tWarning\r"), Bit(3));
    EXPECT_EQ(ParseLevels("eRRoR"), Bit(4));
    EXPECT_EQ(ParseLevels("FatalError"), Bit(5));
    EXPECT_EQ(ParseLevels("\x01"
                          "debug\x1F"),
              Bit(6));
}

TEST(TraceParseLevels, EmptyPartsAndUnknownWordsAreSkipped) {
    EXPECT_EQ(ParseLevels(",ERROR,,  ,WARNING,"), Bit(tlError) | Bit(tlWarning));
    EXPECT_EQ(ParseLevels("ERROR,"), Bit(tlError));
    EXPECT_EQ(ParseLevels("ERRORS, WARN, INFO, DEBUG"), Bit(tlDebug));
    EXPECT_EQ(ParseLevels(""), 0u);
    EXPECT_EQ(ParseLevels(",,,"), 0u);
    EXPECT_EQ(ParseLevels("ERROR WARNING"), 0u);  // blanks do not separate
}

TEST(TraceLogOptionsLine, LevelsInTheirOrder) {
    EXPECT_EQ(LogOptionsLine(0), "log options:");
    EXPECT_EQ(LogOptionsLine(Bit(4) | Bit(3)), "log options: Warning Error");
    EXPECT_EQ(LogOptionsLine(kAllLevels),
              "log options: Information Success Warning Error FatalError Debug");
}

// ---- INI ----------------------------------------------------------------------------------

TEST(TraceIni, IntegersAsWindowsReadsThem) {
    long value = 0;
    EXPECT_TRUE(ParseIniInteger("0", value) && value == 0);
    EXPECT_TRUE(ParseIniInteger("1", value) && value == 1);
    EXPECT_TRUE(ParseIniInteger("-3", value) && value == -3);
    EXPECT_TRUE(ParseIniInteger("+7", value) && value == 7);
    EXPECT_TRUE(ParseIniInteger(" 42 ", value) && value == 42);
    EXPECT_TRUE(ParseIniInteger("0x1F", value) && value == 31);
    EXPECT_TRUE(ParseIniInteger("$10", value) && value == 16);
    EXPECT_TRUE(ParseIniInteger("2147483647", value) && value == 2147483647);
    EXPECT_FALSE(ParseIniInteger("", value));
    EXPECT_FALSE(ParseIniInteger("yes", value));
    EXPECT_FALSE(ParseIniInteger("1abc", value));
    EXPECT_FALSE(ParseIniInteger("1 2", value));
    EXPECT_FALSE(ParseIniInteger("0x", value));
    EXPECT_FALSE(ParseIniInteger("99999999999", value));
}

TEST(TraceIni, SectionsKeysCommentsQuotes) {
    TTempDir dir;
    const std::string path = dir.Path("x.ini");
    WriteFile(path,
              "\xEF\xBB\xBF; comment\r\n"
              "Trace=5\r\n"  // before any section: ignored
              "[Other]\r\nTrace=7\r\n"
              "[ trace ]\r\n"
              "  TRACE = 1 \r\n"
              "trace=0\r\n"  // the first occurrence counts
              "; Level=ALL\r\n"
              "Level=ERROR, WARNING\r\n"
              "TraceFile=\"my trace.log\"\r\n"
              "Output='text'\r\n"
              "Broken line without equals\r\n"
              "Empty=\r\n"
              "[TRACE]\r\nCOMPort=3\r\n");  // a second section of the same name is not read
    TIniSection ini;
    ASSERT_TRUE(ini.Load(path, "TRACE"));
    EXPECT_TRUE(ini.ReadBool("Trace", false));
    EXPECT_EQ(ini.ReadString("level", "NONE"), "ERROR, WARNING");
    EXPECT_EQ(ini.ReadString("TraceFile", ""), "my trace.log");
    EXPECT_EQ(ini.ReadString("Output", ""), "text");
    EXPECT_TRUE(ini.Has("Empty"));
    EXPECT_EQ(ini.ReadString("Empty", "x"), "");
    EXPECT_EQ(ini.ReadInteger("COMPort", 0), 0);
    EXPECT_EQ(ini.ReadInteger("Empty", 9), 9);  // no number: the default
    EXPECT_FALSE(ini.Has("Broken line without equals"));
}

TEST(TraceIni, BooleansAreIntegers) {
    TTempDir dir;
    const std::string path = dir.Path("b.ini");
    WriteFile(path, "[TRACE]\nA=0\nB=2\nC=-1\nD=true\nE=\n");
    TIniSection ini;
    ASSERT_TRUE(ini.Load(path, "TRACE"));
    EXPECT_FALSE(ini.ReadBool("A", true));
    EXPECT_TRUE(ini.ReadBool("B", false));
    EXPECT_TRUE(ini.ReadBool("C", false));
    EXPECT_FALSE(ini.ReadBool("D", false));  // no number: the default
    EXPECT_TRUE(ini.ReadBool("D", true));
    EXPECT_FALSE(ini.ReadBool("E", false));
    EXPECT_FALSE(ini.ReadBool("Missing", false));
}

TEST(TraceIni, MissingFile) {
    TIniSection ini;
    EXPECT_FALSE(ini.Load("/nonexistent/zelmar/x.ini", "TRACE"));
    EXPECT_FALSE(ini.Has("Trace"));
}

// ---- configuration search -----------------------------------------------------------------

TEST(TraceConfigurationSearch, SearchOrder) {
    TTempDir dir;
    const std::string module = dir.Path("lib/libveskChemSearch.so");
    const std::string program = dir.Path("bin/zelmar");
    const std::string candidates[] = {dir.Path("lib/libveskChemSearch.ETC"),
                                      dir.Path("bin/zelmar.ETC"), dir.Path("lib/TRACE.INI"),
                                      dir.Path("bin/TRACE.INI")};
    for (const std::string& c : candidates) WriteFile(c, "[TRACE]\n");
    for (const std::string& expected : candidates) {
        EXPECT_EQ(FindConfigurationFile(module, program), expected);
        std::filesystem::remove(expected);
    }
    EXPECT_EQ(FindConfigurationFile(module, program), "");
}

TEST(TraceConfigurationSearch, ExtensionIsReplacedOrAdded) {
    TTempDir dir;
    WriteFile(dir.Path("prog.ETC"), "");
    EXPECT_EQ(FindConfigurationFile(dir.Path("prog.exe"), ""), dir.Path("prog.ETC"));
    EXPECT_EQ(FindConfigurationFile("", dir.Path("prog")), dir.Path("prog.ETC"));
}

TEST(TraceConfigurationSearch, AFolderIsNoConfigurationFile) {
    TTempDir dir;
    std::filesystem::create_directories(dir.Path("prog.ETC"));
    WriteFile(dir.Path("TRACE.INI"), "");
    EXPECT_EQ(FindConfigurationFile(dir.Path("prog"), dir.Path("prog")), dir.Path("TRACE.INI"));
}

TEST(TraceConfigurationSearch, ModuleAndProgramOfTheTestProgram) {
    // The trace library is linked statically: its module is the test program itself.
    const std::string program = DefaultProgramPath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.front(), '/');
    EXPECT_NE(program.find("zelmar_trace_tests"), std::string::npos) << program;
    EXPECT_EQ(DefaultModulePath(), program);
}

TEST(TraceComDevice, ComNIsTtySNMinus1) {
    EXPECT_EQ(ComDeviceName(1), "/dev/ttyS0");
    EXPECT_EQ(ComDeviceName(4), "/dev/ttyS3");
}

// ---- clock --------------------------------------------------------------------------------

class TraceClock : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
            const char* value = std::getenv(name);
            Saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : Saved) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

TEST_F(TraceClock, CLocaleUsesTheGermanFormat) {
    ::setenv("LC_ALL", "C", 1);
    TTraceClock clock;
    EXPECT_EQ(clock.DateFormat(), "%d.%m.%Y");
    EXPECT_EQ(clock.TimeFormat(), "%H:%M:%S");
    std::tm moment{};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 11;
    moment.tm_mday = 8;
    moment.tm_hour = 1;
    moment.tm_min = 23;
    moment.tm_sec = 45;
    std::string date;
    std::string time;
    clock.Format(moment, date, time);
    EXPECT_EQ(date, "08.12.2026");
    EXPECT_EQ(time, "01:23:45");
}

TEST_F(TraceClock, UnknownLocaleFallsBack) {
    ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    TTraceClock clock;
    EXPECT_EQ(clock.DateFormat(), "%d.%m.%Y");
}

TEST_F(TraceClock, ARealLocaleGivesItsOwnFormats) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "en_US.UTF-8", "en_GB.UTF-8"}) {
        locale_t probe = ::newlocale(LC_TIME_MASK, name, static_cast<locale_t>(nullptr));
        if (probe == nullptr) continue;
        ::freelocale(probe);
        ::setenv("LC_ALL", name, 1);
        TTraceClock clock;
        EXPECT_EQ(clock.DateFormat(), "%x") << name;
        std::string date;
        std::string time;
        clock.Now(date, time);
        EXPECT_FALSE(date.empty());
        EXPECT_FALSE(time.empty());
        return;
    }
    GTEST_SKIP() << "no real locale installed";
}

// ---- a private unit -----------------------------------------------------------------------

class TraceUnitInstance : public ::testing::Test {
protected:
    void Configure(TveskTraceUnit& unit, const std::string& body) {
        WriteFile(Dir.Path("unit.ETC"), "[TRACE]\n" + body);
        unit.ReadConfiguration(Dir.Path("unit.so"), Dir.Path("unit"));
    }
    TTempDir Dir;
};

TEST_F(TraceUnitInstance, GateCarriesTheLevelsOnlyWhileAnOutputIsOn) {
    std::atomic<std::uint32_t> gate{kGateUninitialised};
    TveskTraceUnit unit(0, &gate);
    EXPECT_EQ(gate.load(), kGateUninitialised);  // until the configuration is read
    Configure(unit, "Trace=1\nLevel=ERROR,DEBUG\nDebugWindow=1\n");
    EXPECT_EQ(gate.load(), Bit(tlError) | Bit(tlDebug));
    EXPECT_EQ(unit.EnabledLevels(), Bit(tlError) | Bit(tlDebug));
    Configure(unit, "Trace=1\nLevel=ALL\n");
    EXPECT_EQ(gate.load(), 0u);
    Configure(unit, "Trace=1\nLevel=ALL\nDebugWindow=1\n");
    unit.Shutdown();
    EXPECT_EQ(gate.load(), 0u);
    EXPECT_FALSE(unit.LevelActive(tlError));
}

TEST_F(TraceUnitInstance, ConfigurationDetails) {
    TveskTraceUnit unit;
    Configure(unit, "Trace=1\nLevel=WARNING\nTraceFile=sub/../t.log\nCOMPort=-2\n");
    EXPECT_EQ(unit.ConfigurationFile(), Dir.Path("unit.ETC"));
    EXPECT_EQ(unit.TraceFilePath(), Dir.Path("t.log"));
    EXPECT_TRUE(unit.FileActive());
    EXPECT_EQ(unit.ComPortNumber(), 0);  // negative ports are off
    EXPECT_FALSE(unit.DebugWindowActive());
}

// Finds a COM port number whose device /dev/ttyS<n-1> does not exist.
int MissingComPort() {
    for (int port = 200; port < 5000; ++port) {
        if (!std::filesystem::exists(ComDeviceName(port))) return port;
    }
    return 0;
}

TEST_F(TraceUnitInstance, MissingComDeviceSwitchesComOffAfterTheFirstMessage) {
    const int port = MissingComPort();
    ASSERT_GT(port, 0);
    TveskTraceUnit unit;
    Configure(unit, "Trace=1\nLevel=ERROR\nCOMPort=" + std::to_string(port) + "\n");
    EXPECT_EQ(unit.ComPortNumber(), port);
    EXPECT_NE(unit.GateValue(), 0u);
    unit.Message("T.M", tlError, "first");
    EXPECT_EQ(unit.ComPortNumber(), 0);
    EXPECT_EQ(unit.GateValue(), 0u);  // no output left: calls cost one check again
    EXPECT_FALSE(unit.LevelActive(tlError));
}

// A pseudo-terminal stands in for the serial port.
class TPseudoTerminal {
public:
    TPseudoTerminal() {
        Master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || ::grantpt(Master) != 0 || ::unlockpt(Master) != 0) return;
        const char* name = ::ptsname(Master);
        if (name == nullptr) return;
        SlaveName = name;
        // Held open so the terminal's settings stay while the unit opens and closes it.
        Slave = ::open(SlaveName.c_str(), O_RDWR | O_NOCTTY);
    }
    ~TPseudoTerminal() {
        if (Slave >= 0) ::close(Slave);
        if (Master >= 0) ::close(Master);
    }
    bool Ok() const { return Master >= 0 && Slave >= 0; }

    // Reads until the text ends with the given tail (or five seconds have passed).
    std::string ReadUntil(const std::string& tail) {
        std::string text;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        const auto done = [&] {
            return text.size() >= tail.size() &&
                   text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
        };
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            pollfd wait{Master, POLLIN, 0};
            if (::poll(&wait, 1, 100) <= 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(Master, buffer, sizeof buffer);
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

    int Master = -1;
    int Slave = -1;
    std::string SlaveName;
};

TEST_F(TraceUnitInstance, ComPortGetsEachLineWithCrLfAnd8N1KeepingOtherSettings) {
    TPseudoTerminal pty;
    if (!pty.Ok()) GTEST_SKIP() << "no pseudo-terminal";
    termios settings{};
    ASSERT_EQ(::tcgetattr(pty.Slave, &settings), 0);
    ::cfmakeraw(&settings);  // no CR LF translation on the way
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    settings.c_cflag |= CS7 | PARENB | CSTOPB;
    ::cfsetospeed(&settings, B9600);
    ::cfsetispeed(&settings, B9600);
    ASSERT_EQ(::tcsetattr(pty.Slave, TCSANOW, &settings), 0);

    TveskTraceUnit unit;
    unit.SetComDevicePath(pty.SlaveName);
    Configure(unit, "Trace=1\nLevel=ERROR\nCOMPort=1\n");
    ASSERT_TRUE(unit.LevelActive(tlError));
    unit.Message("TPort.Send", tlError, "to the port %d", 1);
    unit.Message("", tlContinue, "more");
    const std::string received = pty.ReadUntil("   - more\r\n");
    EXPECT_EQ(unit.ComPortNumber(), 1);
    const std::regex shape(
        R"(^\$ERROR \(\d+\) \([^()]+\)-\[TPort\.Send\], to the port 1\r\n   - more\r\n$)");
    EXPECT_TRUE(std::regex_match(received, shape)) << received;

    termios after{};
    ASSERT_EQ(::tcgetattr(pty.Slave, &after), 0);
    EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(after.c_cflag & PARENB, 0u);
    EXPECT_EQ(after.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B9600));  // baud rate untouched
    EXPECT_EQ(after.c_oflag & OPOST, 0u);                           // raw mode untouched
}

TEST_F(TraceUnitInstance, LongLinesAreCutOnlyWithALimit) {
    TveskTraceUnit cut(100);
    Configure(cut, "Trace=1\nLevel=ALL\nTraceFile=cut.log\nOutput=TEXT\n");
    cut.Message("S.M", tlDebug, "%s", std::string(500, 'y').c_str());
    cut.Shutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Dir.Path("cut.log"));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[4].size(), 100u);
    EXPECT_EQ(lines[4].rfind("$DEBUG (", 0), 0u);
}

}  // namespace
