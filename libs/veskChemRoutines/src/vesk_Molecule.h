#pragma once
// One molecule handle's content: the text exactly as given, and the parsed molecule made from
// it on the first chemical request. The only part of the library that includes RDKit.

#include <memory>
#include <mutex>
#include <string>

namespace vesk {

class Molecule {
public:
    enum Flags { kParseNow = 1, kSanitize = 2 };

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

private:
    struct Parsed;
    bool EnsureParsedLocked(std::string& error);

    const std::string text_;
    const int flags_;
    std::mutex mutex_;
    bool tried_ = false;
    std::unique_ptr<Parsed> parsed_;
    std::string parseError_;
};

}  // namespace vesk
