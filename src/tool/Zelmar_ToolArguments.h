#pragma once
// A command's arguments: options with and without a value, and the plain arguments (files)
// in order. "-" alone is a plain argument (standard input or output).

#include <map>
#include <set>
#include <string>
#include <vector>

class TZelmarToolArguments {
public:
    // valueOptions take the next argument ("--by NAME" or "--by=NAME"); flags take none.
    // Throws TZelmarToolError for an unknown option or a missing value.
    TZelmarToolArguments(const std::string& command, const std::vector<std::string>& args,
                         const std::set<std::string>& valueOptions,
                         const std::set<std::string>& flags);

    bool Has(const std::string& option) const;
    // The option's value; empty when it was not given.
    std::string Value(const std::string& option) const;
    // The value, which must be given.
    std::string Required(const std::string& option) const;
    const std::vector<std::string>& Files() const { return FFiles; }
    // Exactly count plain arguments, or a usage error.
    void ExpectFiles(std::size_t count) const;

private:
    std::string FCommand;
    std::map<std::string, std::string> FValues;
    std::set<std::string> FFlags;
    std::vector<std::string> FFiles;
};
