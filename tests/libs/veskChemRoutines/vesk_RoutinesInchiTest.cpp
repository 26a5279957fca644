// InChI and InChIKey through the C functions: known molecules, the failures, and every record of
// the shared SD files against the InChI program's answer for the same molfile.

#include <array>
#include <atomic>
#include <mutex>
#include <sstream>
#include <thread>

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;
namespace fs = std::filesystem;

namespace {

struct Ids {
    bool ok = false;
    std::string inchi, key, error;
};

Ids IdsOf(const std::string& text) {
    char err[256];
    std::vector<char> inchi(8192), key(64);
    Ids ids;
    uintptr_t mol = 0;
    if (!OK(OpenMolString(&mol, text.c_str(), 0, 0, err, 256))) {
        ids.error = err;
        return ids;
    }
    ids.ok = OK(GetMolFileInchi(mol, inchi.data(), 8192, err, 256));
    if (ids.ok) ids.ok = OK(GetMolFileInchiKey(mol, key.data(), 64, err, 256));
    (ids.ok ? ids.inchi : ids.error) = ids.ok ? inchi.data() : err;
    if (ids.ok) ids.key = key.data();
    DestroyMolFile(mol, err, 256);
    return ids;
}

// The same table in V3000: atoms "C 0 3"-style as Block takes them (mass difference, charge
// code), bonds "1 2 1 6" with the V2000 stereo code.
std::string V3000(const std::vector<std::string>& atoms, const std::vector<std::string>& bonds,
                  const std::vector<std::array<double, 2>>& xy) {
    std::ostringstream text;
    text << "name\n  test    2D\n\n  0  0  0     0  0            999 V3000\n"
         << "M  V30 BEGIN CTAB\nM  V30 COUNTS " << atoms.size() << " " << bonds.size()
         << " 0 0 0\nM  V30 BEGIN ATOM\n";
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        char symbol[4] = "";
        int massDiff = 0, code = 0;
        std::sscanf(atoms[i].c_str(), "%3s %d %d", symbol, &massDiff, &code);
        text << "M  V30 " << i + 1 << " " << symbol << " " << xy[i][0] << " " << xy[i][1] << " 0 0";
        if (code != 0 && code != 4) text << " CHG=" << 4 - code;
        text << "\n";
    }
    text << "M  V30 END ATOM\nM  V30 BEGIN BOND\n";
    for (std::size_t k = 0; k < bonds.size(); ++k) {
        int a = 0, b = 0, order = 0, stereo = 0;
        std::sscanf(bonds[k].c_str(), "%d %d %d %d", &a, &b, &order, &stereo);
        // the V3000 configuration: 1 wedge, 3 hash
        text << "M  V30 " << k + 1 << " " << order << " " << a << " " << b
             << (stereo == 1   ? " CFG=1"
                 : stereo == 6 ? " CFG=3"
                               : "")
             << "\n";
    }
    text << "M  V30 END BOND\nM  V30 END CTAB\nM  END\n";
    return text.str();
}

// L-alanine: the methyl hashed from the alpha carbon.
const std::vector<std::string> kAlanineAtoms = {"C 0 0", "C 0 0", "N 0 0",
                                                "C 0 0", "O 0 0", "O 0 0"};
const std::vector<std::array<double, 2>> kAlanineXY = {{-1.299, -0.75}, {0, 0},     {0, 1.5},
                                                       {1.299, -0.75},  {2.598, 0}, {1.299, -2.25}};
const std::vector<std::string> kAlanineBonds = {"2 1 1 6", "2 3 1 0", "2 4 1 0", "4 5 2 0",
                                                "4 6 1 0"};

// Block's molecule drawn at these places, with the bonds' stereo codes (Block reads no stereo).
std::string Drawn(const std::vector<std::string>& atoms, const std::vector<std::string>& bonds,
                  const std::vector<std::array<double, 2>>& xy,
                  const std::vector<std::string>& props = {}) {
    molfile_support::TMolfile molfile;
    molfile.Program = "  test    2D";
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        char symbol[4] = "";
        molfile_support::TAtom atom;
        std::sscanf(atoms[i].c_str(), "%3s %d %d", symbol, &atom.MassDiff, &atom.Charge);
        atom.Symbol = symbol;
        atom.X = xy[i][0];
        atom.Y = xy[i][1];
        molfile.Atoms.push_back(atom);
    }
    for (const std::string& b : bonds) {
        molfile_support::TBond bond;
        std::sscanf(b.c_str(), "%d %d %d %d", &bond.From, &bond.To, &bond.Order, &bond.Stereo);
        molfile.Bonds.push_back(bond);
    }
    molfile.Properties = props;
    return molfile.Text();
}

const std::string kAlanine = Drawn(kAlanineAtoms, kAlanineBonds, kAlanineXY);

}  // namespace

TEST(RoutinesInchi, KnownMoleculesGiveTheirStandardInchiAndKey) {
    const struct {
        const char* what;
        std::string text;
        const char* inchi;
        const char* key;
    } cases[] = {
        {"ethanol", Block({"C 0 0", "C 0 0", "O 0 0"}, {"1 2 1", "2 3 1"}),
         "InChI=1S/C2H6O/c1-2-3/h3H,2H2,1H3", "LFQSCWFLJHTTHZ-UHFFFAOYSA-N"},
        {"L-alanine", kAlanine, "InChI=1S/C3H7NO2/c1-2(4)3(5)6/h2H,4H2,1H3,(H,5,6)/t2-/m0/s1",
         "QNAYBMKLOCPYGJ-REOHCLBHSA-N"},
        {"alanine drawn without the hash",
         Drawn(kAlanineAtoms, {"2 1 1 0", "2 3 1 0", "2 4 1 0", "4 5 2 0", "4 6 1 0"}, kAlanineXY),
         "InChI=1S/C3H7NO2/c1-2(4)3(5)6/h2H,4H2,1H3,(H,5,6)", "QNAYBMKLOCPYGJ-UHFFFAOYSA-N"},
        // The charge column and an "M  CHG" line say the same.
        {"acetate", Block({"C 0 0", "C 0 0", "O 0 0", "O 0 5"}, {"1 2 1", "2 3 2", "2 4 1"}),
         "InChI=1S/C2H4O2/c1-2(3)4/h1H3,(H,3,4)/p-1", "QTBSBXVTEAMEQO-UHFFFAOYSA-M"},
        {"acetate by M  CHG",
         Block({"C 0 0", "C 0 0", "O 0 0", "O 0 0"}, {"1 2 1", "2 3 2", "2 4 1"},
               {"M  CHG  1   4  -1"}),
         "InChI=1S/C2H4O2/c1-2(3)4/h1H3,(H,3,4)/p-1", "QTBSBXVTEAMEQO-UHFFFAOYSA-M"},
        {"ammonium", Block({"N 0 3"}, {}), "InChI=1S/H3N/h1H3/p+1", "QGZKDVFQNNGYKY-UHFFFAOYSA-O"},
        {"sodium chloride", Block({"Na 0 0", "Cl 0 0"}, {}, {"M  CHG  2   1   1   2  -1"}),
         "InChI=1S/ClH.Na/h1H;/q;+1/p-1", "FAPWRFPIFSIZLT-UHFFFAOYSA-M"},
        {"no atoms", Block({}, {}), "", ""},
    };
    for (const auto& c : cases) {
        const Ids ids = IdsOf(c.text);
        ASSERT_TRUE(ids.ok) << c.what << ": " << ids.error;
        EXPECT_EQ(ids.inchi, c.inchi) << c.what;
        EXPECT_EQ(ids.key, c.key) << c.what;
    }
}

TEST(RoutinesInchi, V3000TablesGiveWhatTheirV2000TwinsGive) {
    const Ids alanine = IdsOf(V3000(kAlanineAtoms, kAlanineBonds, kAlanineXY));
    ASSERT_TRUE(alanine.ok) << alanine.error;
    EXPECT_EQ(alanine.inchi, IdsOf(kAlanine).inchi);
    EXPECT_EQ(alanine.key, "QNAYBMKLOCPYGJ-REOHCLBHSA-N");

    // Charge, isotope and a wedge the other way (D-alanine), with atom numbers that do not
    // run from 1 and a continued line.
    const std::string v3000 =
        "name\n  test\n\n  0  0  0     0  0            999 V3000\n"
        "M  V30 BEGIN CTAB\nM  V30 COUNTS 6 5 0 0 0\nM  V30 BEGIN ATOM\n"
        "M  V30 11 C -1.299 -0.75 0 0\nM  V30 12 C 0 0 0 0\nM  V30 13 N 0 1.5 0 0 -\n"
        "M  V30 CHG=1\nM  V30 14 C 1.299 -0.75 0 0 MASS=13\nM  V30 15 O 2.598 0 0 0\n"
        "M  V30 16 O 1.299 -2.25 0 0 CHG=-1\nM  V30 END ATOM\nM  V30 BEGIN BOND\n"
        "M  V30 1 1 12 11 CFG=1\nM  V30 2 1 12 13\nM  V30 3 1 12 14\nM  V30 4 2 14 15\n"
        "M  V30 5 1 14 16\nM  V30 END BOND\nM  V30 END CTAB\nM  END\n";
    const std::string v2000 = Drawn({"C 0 0", "C 0 0", "N 0 3", "C 0 0", "O 0 0", "O 0 5"},
                                    {"2 1 1 1", "2 3 1 0", "2 4 1 0", "4 5 2 0", "4 6 1 0"},
                                    kAlanineXY, {"M  CHG  2   3   1   6  -1", "M  ISO  1   4  13"});
    const Ids twin = IdsOf(v2000), zwitterion = IdsOf(v3000);
    ASSERT_TRUE(twin.ok && zwitterion.ok) << twin.error << zwitterion.error;
    EXPECT_EQ(zwitterion.inchi, twin.inchi);
    EXPECT_NE(zwitterion.inchi.find("/m1/"), std::string::npos) << "D: " << zwitterion.inchi;
    EXPECT_NE(zwitterion.inchi.find("/i3+1"), std::string::npos) << zwitterion.inchi;

    const Ids empty = IdsOf(
        "e\n\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 0 0 0 0 0\nM  V30 END CTAB\nM  END\n");
    EXPECT_TRUE(empty.ok && empty.inchi.empty() && empty.key.empty()) << empty.error;
}

TEST(RoutinesInchi, UnreadableAndRefusedMoleculesFailWithTheReason) {
    const struct {
        const char* what;
        std::string text;
        const char* message;
    } cases[] = {
        {"bond to a missing atom", Block({"C 0 0", "O 0 0"}, {"1 5 1"}),
         "cannot read the molecule: bond 1 joins atoms 1 and 5 of 2"},
        {"atom lines cut off", Block({"C 0 0", "O 0 0"}, {}).substr(0, 60),
         "cannot read the molecule: atom 1 cannot be read"},
        {"blank counts line", "x\n\n\n\nM  END\n", "cannot read the molecule: the counts line"},
        // what the InChI library itself says
        {"R group", Block({"R# 0 0", "C 0 0"}, {"1 2 1"}), "Unknown element(s): R#"},
        {"query bond", Block({"C 0 0", "C 0 0"}, {"1 2 8"}), "bond type the InChI does not know"},
    };
    for (const auto& c : cases) {
        const Ids ids = IdsOf(c.text);
        EXPECT_FALSE(ids.ok) << c.what;
        EXPECT_NE(ids.error.find(c.message), std::string::npos) << c.what << ": " << ids.error;
        EXPECT_TRUE(ids.inchi.empty() && ids.key.empty()) << c.what;
    }

    // Too small a buffer gives no InChI at all; the key needs 28 bytes.
    char err[256], inchi[20] = "x", key[28] = "x";
    uintptr_t mol = 0;
    ASSERT_TRUE(OK(OpenMolString(&mol, kAlanine.c_str(), 0, 0, err, 256))) << err;
    EXPECT_FALSE(OK(GetMolFileInchi(mol, inchi, 20, err, 256)));
    EXPECT_STREQ(inchi, "");
    EXPECT_NE(std::string(err).find("does not fit"), std::string::npos) << err;
    EXPECT_FALSE(OK(GetMolFileInchiKey(mol, key, 27, err, 256)));
    EXPECT_STREQ(key, "");
    EXPECT_TRUE(OK(GetMolFileInchiKey(mol, key, 28, err, 256))) << err;
    EXPECT_STREQ(key, "QNAYBMKLOCPYGJ-REOHCLBHSA-N");
    EXPECT_TRUE(OK(DestroyMolFile(mol, err, 256)));
    EXPECT_FALSE(OK(GetMolFileInchi(mol, inchi, 20, err, 256))) << "destroyed";
    EXPECT_NE(std::string(err).find("invalid molecule handle"), std::string::npos) << err;
}

namespace {

// The InChI program: `inchi-1`, which Debian ships as `inchi_main`.
std::string InchiProgram() {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "");
    std::vector<std::string> folders;
    for (std::string dir; std::getline(dirs, dir, ':');) folders.push_back(dir);
    for (const char* name : {"inchi-1", "inchi_main"}) {
        for (const std::string& dir : folders) {
            const fs::path candidate = fs::path(dir) / name;
            if (!dir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate.string();
        }
    }
    return {};
}

struct ProgramAnswer {
    std::string inchi, key, log;
    bool empty = false;  // "Empty structure": also every V3000 table, which it cannot read
};

ProgramAnswer RunProgram(const std::string& program, const fs::path& dir,
                         const std::string& block) {
    { std::ofstream(dir / "r.mol", std::ios::binary) << block; }
    const std::string command = "cd '" + dir.string() + "' && '" + program +
                                "' r.mol r.out r.log r.prb -Key -AuxNone >/dev/null 2>&1";
    ProgramAnswer answer;
    if (std::system(command.c_str()) == -1) return answer;
    std::ifstream out(dir / "r.out");
    for (std::string line; std::getline(out, line);) {
        if (line.rfind("InChI=", 0) == 0) answer.inchi = line;
        if (line.rfind("InChIKey=", 0) == 0) answer.key = line.substr(9);
    }
    answer.log = ReadBytes((dir / "r.log").string());
    answer.empty = answer.log.find("Empty structure") != std::string::npos;
    fs::remove(dir / "r.out");
    fs::remove(dir / "r.log");
    return answer;
}

}  // namespace

TEST(RoutinesInchi, EveryCorpusRecordGivesTheInchiProgramsAnswer) {
    const std::string program = InchiProgram();
    if (program.empty()) GTEST_SKIP() << "no InChI program (inchi-1, inchi_main; libinchi-bin)";
    std::vector<std::string> blocks, where;
    for (const fs::path& dir : {CorpusDir(), CorpusDir() / "mol"}) {
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".sdf" && ext != ".mol")) continue;
            const std::vector<Record> records = ReadFile(entry.path().string());
            for (std::size_t i = 0; i < records.size(); ++i) {
                if (!records[i].ok) continue;
                blocks.push_back(records[i].molBlock);
                where.push_back(fs::relative(entry.path(), CorpusDir()).string() + " #" +
                                std::to_string(i + 1));
            }
        }
    }
    if (blocks.empty()) GTEST_SKIP() << "no SD files at " << CorpusDir();

    // Workers share the records, which also runs the InChI library from several threads.
    TempDir temp;
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::vector<std::string> mismatches;
    std::size_t compared = 0, withInchi = 0, v3000Only = 0, programRefused = 0;
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w) {
        workers.emplace_back([&, w] {
            const fs::path dir = fs::path(temp.Path("w" + std::to_string(w)));
            fs::create_directories(dir);
            for (std::size_t i = next++; i < blocks.size(); i = next++) {
                const Ids ours = IdsOf(blocks[i]);
                const ProgramAnswer theirs = RunProgram(program, dir, blocks[i]);
                std::lock_guard<std::mutex> lock(mutex);
                if (theirs.empty && !(ours.ok && ours.inchi.empty())) {
                    ++v3000Only;  // V3000 tables: the V3000 test holds them to their twins
                    continue;
                }
                if (theirs.inchi.empty() && !theirs.empty) {
                    // Refused: by the library, as ours must be, or by the program's reader.
                    ++programRefused;
                    if (ours.ok && theirs.log.find("Error (No INChI)") != std::string::npos)
                        mismatches.push_back(where[i] + ": ours " + ours.inchi +
                                             ", the program refused it");
                    continue;
                }
                ++compared;
                if (!theirs.inchi.empty()) ++withInchi;
                if (ours.ok && ours.inchi == theirs.inchi && ours.key == theirs.key) continue;
                mismatches.push_back(where[i] + ": ours " + (ours.ok ? ours.inchi : ours.error) +
                                     " " + ours.key + ", program " + theirs.inchi + " " +
                                     theirs.key);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (const std::string& m : mismatches) ADD_FAILURE() << m;
    std::cout << "InChI compared with " << program << " for " << compared << " of " << blocks.size()
              << " records (" << withInchi << " with an InChI, the rest empty); " << v3000Only
              << " V3000 records it cannot read, " << programRefused << " it refused\n";
    RecordProperty("compared", static_cast<int>(compared));
    EXPECT_GT(withInchi, blocks.size() / 2) << "most records should have been compared";
}
