#pragma once
// Standard InChI and InChIKey through the IUPAC InChI library (1.03). That library has no
// molfile reader of its own: its program reads the connection table into the library's input
// structure, and so does this unit, with that program's rules (which property lines replace
// the atom block's values, aliases as element names, the valence column), so that a record gives
// the InChI that `inchi-1` gives for it. V3000 tables, which that program cannot read, are read
// into the same structure.

#include <string>
#include <string_view>

namespace vesk {

// The standard InChI ("InChI=1S/...") of a molecule block; empty for a molecule without atoms.
// False with the reason when the block cannot be read or the InChI library refuses the molecule;
// the library's warnings are no failure. Calls into the library are serialised: it is not
// re-entrant.
bool StdInchi(std::string_view block, std::string& inchi, std::string& error);

// The standard InChIKey of a standard InChI; empty for an empty InChI.
bool StdInchiKey(const std::string& inchi, std::string& key, std::string& error);

}  // namespace vesk
