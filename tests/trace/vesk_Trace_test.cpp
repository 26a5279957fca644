// Both trace units through their public functions: configuration cases, line formats, file
// brackets, encoded records, format safety, the serial port switching off, threads.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "TraceTestSupport.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"
#include "vesk_TraceUnit.h"

namespace zelmarTraceTest {
// A class of ours, to see the demangled dynamic type.
class TDerivedError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};
}  // namespace zelmarTraceTest

namespace {

using traceTest::ReadFile;
using traceTest::TTempDir;
using traceTest::TTraceApi;
using traceTest::WriteFile;
namespace fs = std::filesystem;

const std::string kStars(79, '*');
// "(thread id) (date time)"
const char* const kStamp = R"( \((\d+)\) \(([^()]+)\))";

std::regex LineRegex(const std::string& tag, const std::string& rest) {
    return std::regex("^\\$" + tag + kStamp + rest + "$");
}

bool Matches(const std::string& text, const std::regex& re) {
    return std::regex_match(text, re);
}

const std::regex kCreated("^logfile created: [^,]+, .+$");
const std::regex kClosed("^logfile closed: [^,]+, .+$");
const std::regex kStarted("^logging started: [^,]+, .+$");
const std::regex kStopped("^logging stopped: [^,]+, .+$");

class TraceUnits : public ::testing::TestWithParam<TTraceApi> {
protected:
    void TearDown() override {
        ::TraceShutdown();
        veskTrace::TraceShutdown();
    }
    const TTraceApi& Api() const { return GetParam(); }
    std::string Path(const std::string& name) const { return Dir.Path(name); }

    // "<dir>/prog.ETC" with the given [TRACE] keys, read as the program's configuration.
    void Configure(const std::string& keys) {
        WriteFile(Path("prog.ETC"), "[TRACE]\n" + keys);
        Api().ReadConfiguration(Path("module.so"), Path("prog"));
    }

    bool AnyLevelActive() const {
        for (int level = 1; level <= 7; ++level) {
            if (Api().LevelActive(static_cast<TTraceLevel>(level))) return true;
        }
        return false;
    }

    // The message lines of a plain-text trace file with a creation and a closing bracket.
    std::vector<std::string> MessageLines(const std::string& name) {
        std::vector<std::string> lines = traceTest::TextLines(Path(name));
        if (lines.size() < 8) {
            ADD_FAILURE() << "no brackets in " << name;
            return {};
        }
        EXPECT_EQ(lines[0], kStars);
        EXPECT_TRUE(Matches(lines[1], kCreated)) << lines[1];
        EXPECT_EQ(lines[3], kStars);
        const std::size_t end = lines.size() - 4;
        EXPECT_EQ(lines[end], "");
        EXPECT_EQ(lines[end + 1], kStars);
        EXPECT_TRUE(Matches(lines[end + 2], kClosed)) << lines[end + 2];
        EXPECT_EQ(lines[end + 3], kStars);
        return {lines.begin() + 4, lines.begin() + static_cast<std::ptrdiff_t>(end)};
    }

    TTempDir Dir;
};

INSTANTIATE_TEST_SUITE_P(BothUnits, TraceUnits,
                         ::testing::Values(traceTest::VeskTraceApi(), traceTest::SecondUnitApi()),
                         [](const ::testing::TestParamInfo<TTraceApi>& info) {
                             return std::string(info.param.Name) == "vesk_Trace" ? "vesk_Trace"
                                                                                 : "veskTrace";
                         });

// ---- configuration ------------------------------------------------------------------------

TEST_P(TraceUnits, ErrorAndWarningToTraceLogBesideTheConfiguration) {
    Configure("Trace=1\nLevel=ERROR, WARNING\nTraceFile=trace.log\nOutput=TEXT\n");
    EXPECT_TRUE(Api().LevelActive(tlError));
    EXPECT_TRUE(Api().LevelActive(tlWarning));
    for (TTraceLevel off : {tlInformation, tlSuccess, tlFatalError, tlDebug}) {
        EXPECT_FALSE(Api().LevelActive(off)) << int(off);
    }
    Api().Message("TSheet.Load", tlError, "error %d", 1);
    Api().Message("TSheet.Load", tlDebug, "not written");
    Api().Message("TSheet.Load", tlWarning, "warning %s", "two");
    Api().Shutdown();

    const std::vector<std::string> lines = traceTest::TextLines(Path("trace.log"));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[2], "log options: Warning Error");
    const std::vector<std::string> messages = MessageLines("trace.log");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(Matches(messages[0], LineRegex("ERROR", R"(-\[TSheet\.Load\], error 1)")))
        << messages[0];
    EXPECT_TRUE(Matches(messages[1], LineRegex("WARNING", R"(-\[TSheet\.Load\], warning two)")))
        << messages[1];
}

TEST_P(TraceUnits, AllLevelsWithoutAnyOutputStayOff) {
    Configure("Trace=1\nLevel=ALL\nCOMPort=0\nDebugWindow=0\n");
    EXPECT_FALSE(AnyLevelActive());
    Api().Message("T.M", tlError, "nowhere");
}

TEST_P(TraceUnits, NoneEmptiesTheSetAndEndsParsing) {
    for (const char* levels : {"DEBUG,NONE", "NONE,DEBUG", "ERROR, NONE, DEBUG", "NONE", ""}) {
        Configure(std::string("Trace=1\nLevel=") + levels + "\nTraceFile=none.log\n");
        EXPECT_FALSE(AnyLevelActive()) << levels;
        EXPECT_FALSE(fs::exists(Path("none.log"))) << levels;  // logging never started
    }
    Configure("Trace=1\nTraceFile=none.log\n");  // no Level key: "NONE"
    EXPECT_FALSE(AnyLevelActive());
}

TEST_P(TraceUnits, EmptyLevelPartsAreSkipped) {
    Configure("Trace=1\nLevel=,ERROR,, ,WARNING,\nDebugWindow=1\n");
    EXPECT_TRUE(Api().LevelActive(tlError));
    EXPECT_TRUE(Api().LevelActive(tlWarning));
    EXPECT_FALSE(Api().LevelActive(tlDebug));
    Configure("Trace=1\nLevel=debug , all\nDebugWindow=1\n");
    for (int level = 1; level <= 6; ++level) {
        EXPECT_TRUE(Api().LevelActive(static_cast<TTraceLevel>(level)));
    }
}

TEST_P(TraceUnits, TraceSwitchIsAnInteger) {
    const std::string rest = "\nLevel=ALL\nDebugWindow=1\n";
    Configure("Trace=0" + rest);
    EXPECT_FALSE(AnyLevelActive());
    Configure("Trace=yes" + rest);  // no number: the default, false
    EXPECT_FALSE(AnyLevelActive());
    Configure(rest);
    EXPECT_FALSE(AnyLevelActive());
    Configure("Trace=2" + rest);
    EXPECT_TRUE(Api().LevelActive(tlInformation));
    Configure("Trace=-1" + rest);
    EXPECT_TRUE(Api().LevelActive(tlInformation));
}

TEST_P(TraceUnits, NoConfigurationFileMeansOff) {
    Configure("Trace=1\nLevel=ALL\nDebugWindow=1\n");
    ASSERT_TRUE(AnyLevelActive());
    Api().ReadConfiguration(Path("elsewhere/module.so"), Path("elsewhere/prog"));
    EXPECT_FALSE(AnyLevelActive());
}

TEST_P(TraceUnits, TheModulesEtcWinsThenTheProgramsThenTraceIniBesideModuleThenProgram) {
    const std::string module = Path("lib/libmodule.so");
    const std::string program = Path("bin/prog");
    const std::vector<std::pair<std::string, std::string>> configs = {
        {Path("lib/libmodule.ETC"), "module_etc.log"},
        {Path("bin/prog.ETC"), "program_etc.log"},
        {Path("lib/TRACE.INI"), "module_ini.log"},
        {Path("bin/TRACE.INI"), "program_ini.log"}};
    for (const auto& [file, log] : configs) {
        WriteFile(file, "[TRACE]\nTrace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=" + log + "\n");
    }
    for (const auto& [file, log] : configs) {
        Api().ReadConfiguration(module, program);
        ASSERT_TRUE(Api().LevelActive(tlError)) << file;
        Api().Message("T.M", tlError, "from %s", log.c_str());
        Api().Shutdown();
        // The trace file lies in the folder of the configuration that was used.
        const std::string written = (fs::path(file).parent_path() / log).string();
        const std::vector<std::string> messages = MessageLines(fs::relative(written, Dir.Root()));
        ASSERT_EQ(messages.size(), 1u) << file;
        EXPECT_NE(messages[0].find("from " + log), std::string::npos);
        fs::remove(file);
    }
    Api().ReadConfiguration(module, program);
    EXPECT_FALSE(AnyLevelActive());
}

TEST_P(TraceUnits, IniSyntaxAsWindowsReadsIt) {
    WriteFile(Path("prog.ETC"),
              "; trace settings\r\n[Other]\r\nTrace=0\r\n[trace]\r\n  trace = 1 \r\n"
              "LEVEL = error\r\ntracefile = \"quoted name.log\"\r\noutput=Text\r\n");
    Api().ReadConfiguration(Path("module.so"), Path("prog"));
    EXPECT_TRUE(Api().LevelActive(tlError));
    Api().Message("", tlError, "x");
    Api().Shutdown();
    EXPECT_EQ(MessageLines("quoted name.log").size(), 1u);
}

TEST_P(TraceUnits, RelativeTraceFileWithFolderIsTakenFromTheConfigurationsFolder) {
    fs::create_directories(Path("logs"));
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=logs/sub.log\n");
    Api().Message("", tlError, "x");
    Api().Shutdown();
    EXPECT_EQ(MessageLines("logs/sub.log").size(), 1u);
}

TEST_P(TraceUnits, AbsoluteTraceFile) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=" + Path("abs.log") + "\n");
    Api().Message("", tlError, "x");
    Api().Shutdown();
    EXPECT_EQ(MessageLines("abs.log").size(), 1u);
}

TEST_P(TraceUnits, ATraceFileThatCannotBeCreatedLeavesTheOtherOutputs) {
    Configure("Trace=1\nLevel=ERROR\nTraceFile=missing/folder/t.log\n");
    EXPECT_FALSE(Api().LevelActive(tlError));  // no output left
    Configure("Trace=1\nLevel=ERROR\nTraceFile=missing/folder/t.log\nDebugWindow=1\n");
    EXPECT_TRUE(Api().LevelActive(tlError));
    ::testing::internal::CaptureStderr();
    Api().Message("T.M", tlError, "still %s", "here");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Matches(err, LineRegex("ERROR", R"(-\[T\.M\], still here\n)"))) << err;
    EXPECT_FALSE(fs::exists(Path("missing")));
}

TEST_P(TraceUnits, ReadingTheConfigurationAgainClosesTheOldFile) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=first.log\n");
    Api().Message("", tlError, "one");
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=second.log\n");
    Api().Message("", tlError, "two");
    Api().Shutdown();
    const std::vector<std::string> first = MessageLines("first.log");
    const std::vector<std::string> second = MessageLines("second.log");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first[0].find("-one"), std::string::npos);
    EXPECT_NE(second[0].find("-two"), std::string::npos);
}

TEST_P(TraceUnits, ShutdownEndsTracing) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    Api().Shutdown();
    EXPECT_FALSE(AnyLevelActive());
    Api().Message("", tlError, "after");
    Api().Shutdown();  // twice is harmless
    EXPECT_TRUE(MessageLines("t.log").empty());
}

// ---- line formats -------------------------------------------------------------------------

TEST_P(TraceUnits, HeaderTagThreadIdDateTimeSource) {
    Configure("Trace=1\nLevel=ALL\nOutput=TEXT\nTraceFile=t.log\n");
    Api().Message("TZelmar_FormMain.FormCreate", tlInformation, "Language set.");
    Api().Message("TZelmar_FormMain.FormShow", tlSuccess, "s");
    Api().MessageS(std::string("TZelmar_FormMain.FormShow"), tlWarning, "w %d", 3);
    Api().Message("A.B", tlError, "e");
    Api().Message("A.B", tlFatalError, "f");
    Api().Message("A.B", tlDebug, "d");
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 6u);
    std::smatch match;
    const std::regex first =
        LineRegex("INFORMATION", R"(-\[TZelmar_FormMain\.FormCreate\], Language set\.)");
    ASSERT_TRUE(std::regex_match(lines[0], match, first)) << lines[0];
    EXPECT_EQ(std::stol(match[1].str()), traceTest::ThreadId());
    // The date and time of the header are those of the brackets, joined by a blank.
    const std::vector<std::string> all = traceTest::TextLines(Path("t.log"));
    const std::string created = all[1].substr(std::string("logfile created: ").size());
    const std::size_t comma = created.find(", ");
    ASSERT_NE(comma, std::string::npos);
    const std::regex dateTime("^" +
                              std::regex_replace(created.substr(0, comma),
                                                 std::regex(R"([.^$|()\[\]{}*+?\\/])"), R"(\$&)") +
                              " .+$");
    EXPECT_TRUE(std::regex_match(match[2].str(), dateTime)) << match[2].str() << " vs " << created;
    EXPECT_TRUE(Matches(lines[1], LineRegex("SUCCESS", R"(-\[TZelmar_FormMain\.FormShow\], s)")));
    EXPECT_TRUE(Matches(lines[2], LineRegex("WARNING", R"(-\[TZelmar_FormMain\.FormShow\], w 3)")));
    EXPECT_TRUE(Matches(lines[3], LineRegex("ERROR", R"(-\[A\.B\], e)")));
    EXPECT_TRUE(Matches(lines[4], LineRegex("FATALERROR", R"(-\[A\.B\], f)")));
    EXPECT_TRUE(Matches(lines[5], LineRegex("DEBUG", R"(-\[A\.B\], d)")));
}

TEST_P(TraceUnits, WithoutSourceJustAHyphen) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    Api().Message("", tlError, "empty source");
    Api().Message(nullptr, tlError, "null source");
    Api().MessageS(std::string(), tlError, "empty string source");
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Matches(lines[0], LineRegex("ERROR", "-empty source"))) << lines[0];
    EXPECT_TRUE(Matches(lines[1], LineRegex("ERROR", "-null source"))) << lines[1];
    EXPECT_TRUE(Matches(lines[2], LineRegex("ERROR", "-empty string source"))) << lines[2];
}

TEST_P(TraceUnits, ContinuationFollowsTheLastLevel) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    EXPECT_FALSE(Api().LevelActive(tlContinue));
    Api().Message("", tlContinue, "C0 before any message");
    Api().Message("S.M", tlError, "E1");
    EXPECT_TRUE(Api().LevelActive(tlContinue));
    Api().Message("S.M", tlContinue, "C1 %d", 1);
    Api().Message("S.M", tlInformation, "I disabled");
    EXPECT_FALSE(Api().LevelActive(tlContinue));
    Api().Message("", tlContinue, "C2 after a disabled level");
    Api().Message("", tlError, "E2");
    Api().Message("", tlContinue, "C3");
    Api().Message("", tlContinue, "C4");  // continuations leave the last level as it is
    Api().Message("", tlDebug, "D disabled");
    Api().Message("", tlContinue, "C5 after a disabled level");
    Api().Message("", static_cast<TTraceLevel>(9), "level 9 never");
    Api().Message("", tlContinue, "C6 after level 9");
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(Matches(lines[0], LineRegex("ERROR", R"(-\[S\.M\], E1)"))) << lines[0];
    EXPECT_EQ(lines[1], "   - C1 1");  // no tag, id, time or source
    EXPECT_TRUE(Matches(lines[2], LineRegex("ERROR", "-E2"))) << lines[2];
    EXPECT_EQ(lines[3], "   - C3");
    EXPECT_EQ(lines[4], "   - C4");
}

TEST_P(TraceUnits, PercentInSourceAndArgumentsIsWrittenAsItIs) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    Api().Message("TFile.%s%n%d", tlError, "opening %s", "/data/%s%n%x.sdf");
    Api().MessageS(std::string("100% sure %s"), tlError, "%s", "50%");
    Api().Message("", tlContinue, "%s", "%s%s%s");
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(
        Matches(lines[0], LineRegex("ERROR", R"(-\[TFile\.%s%n%d\], opening /data/%s%n%x\.sdf)")))
        << lines[0];
    EXPECT_TRUE(Matches(lines[1], LineRegex("ERROR", R"(-\[100% sure %s\], 50%)"))) << lines[1];
    EXPECT_EQ(lines[2], "   - %s%s%s");
}

TEST_P(TraceUnits, LongMessagesAreCutOnlyInTheSecondUnit) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    const std::string big(40000, 'x');
    Api().Message("T.M", tlError, "%s", big.c_str());
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 1u);
    if (Api().MaxLineChars != 0) {
        EXPECT_EQ(lines[0].size(), Api().MaxLineChars);
        EXPECT_EQ(lines[0].size(), 31996u);
    } else {
        EXPECT_GT(lines[0].size(), big.size());
        EXPECT_EQ(lines[0].substr(lines[0].size() - big.size()), big);
    }
}

// ---- exceptions ---------------------------------------------------------------------------

TEST_P(TraceUnits, ExceptionsWithDemangledTypeAndMessage) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    Api().Exception("TA.Run", std::runtime_error("boom"));
    const zelmarTraceTest::TDerivedError derived("derived text");
    const std::exception& asBase = derived;
    Api().ExceptionS(std::string("TA.Derived"), asBase);
    Api().ExceptionUnknown("TA.Outside");  // not inside a handler
    try {
        throw 42;
    } catch (...) {
        Api().ExceptionUnknown("TA.Int");
    }
    try {
        throw std::out_of_range("index 7");
    } catch (...) {
        Api().ExceptionUnknown("TA.Std");
    }
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 5u);
    const std::string text = " exception of type ";
    EXPECT_TRUE(Matches(
        lines[0],
        LineRegex("ERROR",
                  R"(-\[TA\.Run\], exception of type std::runtime_error with message boom)")))
        << lines[0];
    EXPECT_TRUE(Matches(
        lines[1],
        LineRegex(
            "ERROR",
            R"(-\[TA\.Derived\], exception of type zelmarTraceTest::TDerivedError with message derived text)")))
        << lines[1];
    EXPECT_TRUE(Matches(
        lines[2],
        LineRegex("ERROR",
                  R"(-\[TA\.Outside\], exception of type unknown with message unknown exception)")))
        << lines[2];
    EXPECT_TRUE(
        Matches(lines[3],
                LineRegex("ERROR",
                          R"(-\[TA\.Int\], exception of type int with message unknown exception)")))
        << lines[3];
    EXPECT_TRUE(Matches(
        lines[4],
        LineRegex("ERROR",
                  R"(-\[TA\.Std\], exception of type std::out_of_range with message index 7)")))
        << lines[4];
}

TEST_P(TraceUnits, ExceptionsFollowTheErrorLevel) {
    Configure("Trace=1\nLevel=WARNING\nOutput=TEXT\nTraceFile=t.log\n");
    Api().Message("", tlWarning, "W");
    Api().Exception("TA.Run", std::runtime_error("not written"));
    Api().Message("", tlContinue, "not written either: the last level is ERROR");
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 1u);
}

// ---- brackets and append mode -------------------------------------------------------------

TEST_P(TraceUnits, AppendToAnExistingFileAddsStartedAndStoppedLinesOnly) {
    WriteFile(Path("t.log"), "previous line\r\n");
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nAppend=1\nTraceFile=t.log\n");
    Api().Message("", tlError, "new");
    Api().Shutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Path("t.log"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "previous line");
    EXPECT_TRUE(Matches(lines[1], kStarted)) << lines[1];
    EXPECT_TRUE(Matches(lines[2], LineRegex("ERROR", "-new"))) << lines[2];
    EXPECT_TRUE(Matches(lines[3], kStopped)) << lines[3];
}

TEST_P(TraceUnits, AppendWithoutAFileCreatesItWithTheCreationBracket) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nAppend=1\nTraceFile=t.log\n");
    Api().Shutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Path("t.log"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kStars);
    EXPECT_TRUE(Matches(lines[1], kCreated));
    EXPECT_EQ(lines[2], "log options: Error");
    EXPECT_EQ(lines[3], kStars);
    EXPECT_TRUE(Matches(lines[4], kStopped)) << lines[4];
}

TEST_P(TraceUnits, WithoutAppendAnExistingFileIsRecreated) {
    WriteFile(Path("t.log"), "previous line\r\n");
    Configure("Trace=1\nLevel=ALL\nOutput=TEXT\nAppend=0\nTraceFile=t.log\n");
    Api().Shutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Path("t.log"));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], "log options: Information Success Warning Error FatalError Debug");
    EXPECT_TRUE(MessageLines("t.log").empty());
}

TEST_P(TraceUnits, ADeletedTraceFileIsCreatedAgainByTheNextLine) {
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    fs::remove(Path("t.log"));
    Api().Message("", tlError, "after deletion");
    Api().Shutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Path("t.log"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(Matches(lines[0], LineRegex("ERROR", "-after deletion")));
    EXPECT_EQ(lines[1], "");
}

// ---- encoded output -----------------------------------------------------------------------

TEST_P(TraceUnits, EncodedRecordsFollowOneAnotherWithoutLineBreaks) {
    Configure("Trace=1\nLevel=ERROR\nTraceFile=t.log\n");  // no Output key: encoded
    Api().Message("T.M", tlError, "abc");
    Api().Message("", tlContinue, "Hi!");
    Api().Shutdown();
    const std::string raw = ReadFile(Path("t.log"));
    EXPECT_EQ(raw.find_first_of("\r\n"), std::string::npos);
    std::vector<std::string> lines;
    ASSERT_TRUE(traceTest::DecodeRecords(raw, lines));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], kStars);
    EXPECT_TRUE(Matches(lines[1], kCreated));
    EXPECT_EQ(lines[2], "log options: Error");
    EXPECT_TRUE(Matches(lines[4], LineRegex("ERROR", R"(-\[T\.M\], abc)"))) << lines[4];
    EXPECT_EQ(lines[5], "   - Hi!");
    EXPECT_EQ(lines[6], "");
    EXPECT_TRUE(Matches(lines[8], kClosed));
    // The records themselves, byte for byte: the continuation, then the empty line as 0000.
    const std::string expected =
        veskTraceImpl::EncodeLine("   - Hi!") + "0000" + veskTraceImpl::EncodeLine(kStars);
    EXPECT_NE(raw.find(expected), std::string::npos);
    EXPECT_EQ(raw.substr(0, 4), "004F");  // 79 stars
}

TEST_P(TraceUnits, OutputTextInAnyCaseOtherwiseEncoded) {
    Configure("Trace=1\nLevel=ERROR\nOutput=tExT\nTraceFile=a.log\n");
    Api().Shutdown();
    EXPECT_EQ(ReadFile(Path("a.log")).substr(0, 79), kStars);
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXTUAL\nTraceFile=b.log\n");
    Api().Shutdown();
    EXPECT_EQ(ReadFile(Path("b.log")).substr(0, 4), "004F");
}

TEST_P(TraceUnits, VeryLongEncodedLines) {
    Configure("Trace=1\nLevel=ERROR\nTraceFile=t.log\n");
    Api().Message("", tlError, "%s", std::string(70000, 'z').c_str());
    Api().Shutdown();
    const std::string raw = ReadFile(Path("t.log"));
    // After the four creation records: the message's record.
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        pos += 4 + 2 * std::stoul(raw.substr(pos, 4), nullptr, 16);
    }
    if (Api().MaxLineChars != 0) {
        EXPECT_EQ(raw.substr(pos, 4), "7CFC");  // cut at 31996
    } else {
        // 70000 characters and the header: a five-digit length, as "%.4X" writes it.
        const std::size_t length = std::stoul(raw.substr(pos, 5), nullptr, 16);
        EXPECT_GT(length, 70000u);
        EXPECT_LT(length, 70100u);
        EXPECT_EQ(raw.substr(pos + 5 + 2 * length, 4), "0000");  // the closing bracket follows
    }
}

// ---- debug window and serial port ---------------------------------------------------------

TEST_P(TraceUnits, DebugWindowIsStandardError) {
    Configure("Trace=1\nLevel=WARNING\nDebugWindow=1\n");
    ::testing::internal::CaptureStderr();
    Api().Message("T.M", tlWarning, "to stderr %d", 5);
    Api().Message("T.M", tlError, "not enabled");
    Api().Message("", tlContinue, "continued");
    const std::string err = ::testing::internal::GetCapturedStderr();
    const std::regex expected("^\\$WARNING" + std::string(kStamp) + R"(-\[T\.M\], to stderr 5\n)");
    EXPECT_TRUE(std::regex_match(err, expected)) << err;
}

TEST_P(TraceUnits, DebugWindowAndFileTogether) {
    Configure("Trace=1\nLevel=ERROR\nDebugWindow=2\nOutput=TEXT\nTraceFile=t.log\n");
    ::testing::internal::CaptureStderr();
    Api().Message("", tlError, "both");
    const std::string err = ::testing::internal::GetCapturedStderr();
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(err, lines[0] + "\n");  // brackets go to the file only
}

int MissingComPort() {
    for (int port = 200; port < 5000; ++port) {
        if (!fs::exists(veskTraceImpl::ComDeviceName(port))) return port;
    }
    return 0;
}

TEST_P(TraceUnits, AMissingComPortIsSwitchedOffWhileTheFileGoesOn) {
    const int port = MissingComPort();
    ASSERT_GT(port, 0);
    Configure("Trace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\nCOMPort=" +
              std::to_string(port) + "\n");
    Api().Message("", tlError, "first");
    Api().Message("", tlError, "second");
    EXPECT_TRUE(Api().LevelActive(tlError));
    Api().Shutdown();
    const std::vector<std::string> lines = MessageLines("t.log");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Matches(lines[1], LineRegex("ERROR", "-second")));

    // With the port as the only output, tracing is off after the first message.
    Configure("Trace=1\nLevel=ERROR\nCOMPort=" + std::to_string(port) + "\n");
    EXPECT_TRUE(Api().LevelActive(tlError));
    Api().Message("", tlError, "first");
    EXPECT_FALSE(Api().LevelActive(tlError));
}

// ---- threads ------------------------------------------------------------------------------

void CheckThreadedFile(const std::vector<std::string>& messages, int threads, int perThread) {
    ASSERT_EQ(messages.size(), static_cast<std::size_t>(threads * perThread));
    const std::regex shape(
        "^\\$(INFORMATION|ERROR)" + std::string(kStamp) +
        R"(-\[TWorker\.Run\], thread (\d+) line (\d+) payload (x+)|   - thread (\d+) continued)");
    std::map<int, int> nextLine;
    std::map<int, std::string> idOf;
    std::set<std::string> ids;
    for (const std::string& line : messages) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, shape)) << "malformed: " << line;
        if (m[7].matched) continue;  // a continuation line
        const int thread = std::stoi(m[4].str());
        const int number = std::stoi(m[5].str());
        EXPECT_EQ(m[6].length(), 40 + number % 50) << line;
        EXPECT_EQ(number, nextLine[thread]) << line;  // each thread's lines in order
        nextLine[thread] = number + 1;
        if (idOf.count(thread) == 0) {
            idOf[thread] = m[2].str();
            ids.insert(m[2].str());
        }
        EXPECT_EQ(idOf[thread], m[2].str());  // one thread, one id
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(threads));  // ids differ between threads
}

void RunWorkers(const TTraceApi& api, int threads, int perThread) {
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&api, t, perThread] {
            for (int i = 0; i < perThread; ++i) {
                const std::string payload(40 + i % 50, 'x');
                api.Message("TWorker.Run", i % 2 ? tlError : tlInformation,
                            "thread %d line %d payload %s", t, i, payload.c_str());
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
}

TEST_P(TraceUnits, LinesFromManyThreadsNeverInterleave) {
    Configure("Trace=1\nLevel=ALL\nOutput=TEXT\nTraceFile=t.log\n");
    RunWorkers(Api(), 8, 500);
    Api().Shutdown();
    CheckThreadedFile(MessageLines("t.log"), 8, 500);
}

TEST_P(TraceUnits, EncodedRecordsFromManyThreadsNeverInterleave) {
    Configure("Trace=1\nLevel=ALL\nTraceFile=t.log\n");
    RunWorkers(Api(), 8, 200);
    Api().Shutdown();
    std::vector<std::string> lines;
    ASSERT_TRUE(traceTest::DecodeRecords(ReadFile(Path("t.log")), lines));
    ASSERT_GE(lines.size(), 8u);
    CheckThreadedFile(std::vector<std::string>(lines.begin() + 4, lines.end() - 4), 8, 200);
}

// ---- the two units together and the front end ---------------------------------------------

class TraceFrontEnd : public ::testing::Test {
protected:
    void TearDown() override {
        ::TraceShutdown();
        veskTrace::TraceShutdown();
    }
    TTempDir Dir;
};

TEST_F(TraceFrontEnd, TheUnitsHaveSeparateStates) {
    WriteFile(Dir.Path("prog.ETC"), "[TRACE]\nTrace=1\nLevel=ERROR\nDebugWindow=1\n");
    ::TraceReadConfiguration(Dir.Path("m.so"), Dir.Path("prog"));
    veskTrace::TraceReadConfiguration(Dir.Path("elsewhere/m.so"), Dir.Path("elsewhere/prog"));
    EXPECT_TRUE(::TraceLevelActive(tlError));
    EXPECT_FALSE(veskTrace::TraceLevelActive(tlError));
}

TEST_F(TraceFrontEnd, BothUnitsWritingOneFileKeepTheirLinesWhole) {
    // Each unit has its own lock; every line is one write() on an O_APPEND file.
    WriteFile(Dir.Path("prog.ETC"),
              "[TRACE]\nTrace=1\nLevel=ALL\nOutput=TEXT\nAppend=1\nTraceFile=shared.log\n");
    ::TraceReadConfiguration(Dir.Path("m.so"), Dir.Path("prog"));
    veskTrace::TraceReadConfiguration(Dir.Path("m.so"), Dir.Path("prog"));
    std::vector<std::thread> workers;
    workers.reserve(8);
    for (int t = 0; t < 8; ++t) {
        workers.emplace_back([t] {
            for (int i = 0; i < 300; ++i) {
                if (t % 2) {
                    ::TraceMessage("TWorker.Run", tlError, "unit 1 thread %d line %d", t, i);
                } else {
                    veskTrace::TraceMessage("TWorker.Run", tlError, "unit 2 thread %d line %d", t,
                                            i);
                }
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    ::TraceShutdown();
    veskTrace::TraceShutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Dir.Path("shared.log"));
    const std::regex shape(std::string(R"(^\$ERROR)") + kStamp +
                           R"(-\[TWorker\.Run\], unit [12] thread \d line \d+$)");
    int messages = 0;
    for (const std::string& line : lines) {
        if (line.rfind('$', 0) == 0) {
            EXPECT_TRUE(std::regex_match(line, shape)) << line;
            ++messages;
        }
    }
    EXPECT_EQ(messages, 8 * 300);
}

TEST_F(TraceFrontEnd, GuardedTracesAndReturnsTheNeutralResult) {
    WriteFile(Dir.Path("prog.ETC"),
              "[TRACE]\nTrace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=t.log\n");
    ::TraceReadConfiguration(Dir.Path("m.so"), Dir.Path("prog"));
    const int result =
        Guarded("TZelmarX.Compute", -1, []() -> int { throw std::invalid_argument("bad value"); });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Guarded("TZelmarX.Compute", -1, [] { return 5; }), 5);
    GuardedVoid("TZelmarX.Run", [] { throw 3.5; });
    ::TraceShutdown();
    const std::vector<std::string> lines = traceTest::TextLines(Dir.Path("t.log"));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_TRUE(Matches(
        lines[4],
        LineRegex(
            "ERROR",
            R"(-\[TZelmarX\.Compute\], exception of type std::invalid_argument with message bad value)")))
        << lines[4];
    EXPECT_TRUE(Matches(
        lines[5],
        LineRegex(
            "ERROR",
            R"(-\[TZelmarX\.Run\], exception of type double with message unknown exception)")))
        << lines[5];
}

TEST_F(TraceFrontEnd, EmptyPathsMeanTheRealModuleAndProgram) {
    // Beside the test program there is no configuration (the build folder holds none).
    const std::string program = veskTraceImpl::DefaultProgramPath();
    if (!veskTraceImpl::FindConfigurationFile(program, program).empty()) {
        GTEST_SKIP() << "a trace configuration lies beside the test program";
    }
    WriteFile(Dir.Path("prog.ETC"), "[TRACE]\nTrace=1\nLevel=ERROR\nDebugWindow=1\n");
    ::TraceReadConfiguration(Dir.Path("m.so"), Dir.Path("prog"));
    ASSERT_TRUE(::TraceLevelActive(tlError));
    ::TraceReadConfiguration("", "");
    EXPECT_FALSE(::TraceLevelActive(tlError));
}

}  // namespace
