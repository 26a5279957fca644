#pragma once
// One molecule handle's content: the text exactly as given, and the parsed molecule made from
// it on the first chemical request. The only part of the library that includes RDKit.

#include <memory>
#include <mutex>
#include <string>

namespace vesk {

class Molecule {
public:
    // kRDKitOnly: formula and mass always from RDKit's molecule (tests compare the two ways).
    enum Flags { kParseNow = 1, kSanitize = 2, kRDKitOnly = 4 };

    Molecule(std::string text, int flags);
    ~Molecule();
    Molecule(const Molecule&) = delete;
    Molecule& operator=(const Molecule&) = delete;

    // Never changes after construction, so it may be read without the lock.
    const std::string& Text() const { return text_; }

    // Parses the text unless that was done before; the outcome is kept either way.
    bool Parse(std::string& error);

    bool Formula(std::string& formula, std::string& error);
    bool FragmentFormulas(const std::string& separator, std::string& formula, std::string& error);
    bool Mass(double& mass, std::string& error);
    bool Smiles(std::string& smiles, std::string& error);
    // Standard InChI and InChIKey of the text as given (not of RDKit's molecule), made once:
    // a sheet asks for both of every record.
    bool Inchi(std::string& inchi, std::string& error);
    bool InchiKey(std::string& key, std::string& error);
    // Whether formula and mass come without RDKit's molecule (tests).
    bool CountsPlainly();

private:
    struct Parsed;
    struct Counted;
    struct Table;
    bool EnsureParsedLocked(std::string& error);
    // Formula and mass counted straight from a plain table of common elements, as RDKit would
    // give them; false when RDKit's molecule has to decide.
    bool CountedLocked();

    const std::string text_;
    const int flags_;
    std::mutex mutex_;
    bool tried_ = false;
    std::unique_ptr<Parsed> parsed_;
    std::string parseError_;
    std::unique_ptr<Counted> counted_;
    std::unique_ptr<Table> table_;  // read by counting, not yet by parsing
    bool countTried_ = false;
    struct Identifiers;
    bool EnsureInchiLocked(std::string& error);
    std::unique_ptr<Identifiers> identifiers_;
};

}  // namespace vesk
