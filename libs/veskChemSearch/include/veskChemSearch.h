/*
 * veskChemSearch: structure comparison (substructure search, exact match, stereo
 * handling) behind plain C functions.
 *
 * Objects
 *   A molecule handle holds one molecule text (an MDL molfile, V2000 or V3000).
 *   A compare handle holds a query molecule, a target molecule and the options
 *   (stereo chemistry, highlighting). Handles are opaque numbers; 0 means failure.
 *   Every function checks its handles against the list of live ones: an unknown,
 *   destroyed or wrong-kind handle is harmless and gets the neutral answer that
 *   each function documents.
 *
 * Results
 *   int32_t results that are booleans are 1 (true) or 0 (false); callers may test
 *   the low byte. Flags passed in are tested on their low byte as well.
 *   No C++ exception ever leaves a function of this library.
 *
 * Molecules
 *   Texts are read lazily: OpenMolString only checks that the text has the shape
 *   of a molfile; the chemistry is read when a comparison needs it. A text that
 *   cannot be read as a molecule makes every test answer "no". A molecule with no
 *   atoms is readable but is never found and never finds anything: an empty query
 *   matches nothing, in substructure and in exact mode. A molecule with unusual
 *   valences (which a full clean-up rejects) is still compared, with as much
 *   ring and aromaticity perception as it allows.
 *
 * Hydrogens
 *   Explicit hydrogen atoms in a target are treated like implicit ones, so they
 *   never prevent a hit. Explicit hydrogens drawn in a query are merged into their
 *   neighbour as "at least this many hydrogens": C-O-H finds alcohols and acids
 *   but not ethers. Hydrogens a query does not draw are not constrained.
 *   Isotopic hydrogens (D, T) stay atoms and must be matched by the same isotope.
 *
 * Substructure
 *   MDL query features are honoured: A (any atom but H), Q (any atom but C and H),
 *   atom lists and NOT lists (legacy list lines and M  ALS), bond types 4
 *   (aromatic), 5 to 8 (single/double, single/aromatic, double/aromatic, any),
 *   charges, isotopes and radicals (a query atom that carries one requires the
 *   same in the target; an atom without one matches any), ring bond counts,
 *   substitution counts and unsaturation. Aromaticity is perceived in both
 *   molecules, so a ring drawn in Kekule form finds the same ring drawn aromatic.
 *   With stereo chemistry considered, defined tetrahedral centres and double bond
 *   geometry of the query must be the same in the target (a centre or double bond
 *   the query leaves undefined matches either); without it, stereo is ignored.
 *
 * Exact match
 *   Same constitution, charges, isotopes and radicals; hydrogens explicit or
 *   implicit alike; Kekule and aromatic forms alike; atom-atom mapping numbers
 *   ignored. With stereo chemistry considered, tetrahedral centres and double
 *   bond geometry must agree (a defined centre does not equal an undefined one);
 *   without it they are ignored.
 *
 * Threads
 *   A handle is used by one thread at a time. Different handles may be used on
 *   different threads at the same time; a molecule handle may be given to compare
 *   handles that run on different threads. Prepared molecules are shared through
 *   a process-wide, memory-bounded cache keyed by the molecule text, so comparing
 *   the same text again (a second search over the same records) skips reading it.
 *
 * Kept molecules
 *   Every target text read is kept, ready for matching (the molecule without
 *   coordinates, with screen bits of its atoms, bonds and short paths), and a text
 *   that a substructure screen turned away without reading keeps the connection
 *   table it draws. A later comparison of the same text screens and matches only.
 *   What is kept is counted in bytes as the allocator holds them, at most 1.5 GiB
 *   by default (about 150,000 molecules of 30 to 40 atoms) or the number of MiB in
 *   the environment variable VESKCHEMSEARCH_MEMORY_MB when the library is first
 *   used (0 keeps nothing). Beyond the bound the least recently used texts go
 *   and are read again when they are next compared. Answers never depend on it.
 *
 * Memory
 *   Texts passed in stay the caller's and are copied. The texts handed out
 *   (GetHighlightedMolecule, GetExactMatchKey, GetPolicyMatchKey) are allocated
 *   with malloc and released by the caller with free.
 */
#ifndef VESKCHEMSEARCH_H
#define VESKCHEMSEARCH_H

#include <stdint.h> /* NOLINT(modernize-deprecated-headers): a C header */

#if defined(_WIN32)
#define VESKCHEMSEARCH_API __declspec(dllexport)
#define VESKCHEMSEARCH_CALL __stdcall
#else
#define VESKCHEMSEARCH_API __attribute__((visibility("default")))
#define VESKCHEMSEARCH_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Creates an empty molecule handle (it holds no molecule, so every test with it
 * answers "no" until a text is opened). Returns 0 when it cannot be created. */
VESKCHEMSEARCH_API uintptr_t VESKCHEMSEARCH_CALL CreateMoleculeHandle(void);

/* Destroys a molecule handle. Compare handles that were given this molecule keep
 * their own reference to it and stay usable. Returns 1, or 0 for an unknown handle. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL DestroyMoleculeHandle(uintptr_t molHandle);

/* Creates a compare handle: no query, no target, stereo chemistry not considered,
 * highlighting off. Returns 0 when it cannot be created. */
VESKCHEMSEARCH_API uintptr_t VESKCHEMSEARCH_CALL CreateCompareHandle(void);

/* Destroys a compare handle. Returns 1, or 0 for an unknown handle. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL DestroyCompareHandle(uintptr_t compareHandle);

/* Puts a molfile text (zero-terminated bytes, LF or CR LF line ends) into the
 * molecule handle, replacing what it held, also when the text is rejected: a
 * rejected or NULL text leaves the handle holding an unreadable molecule, never
 * the previous one. Returns 1 when the text has the shape of a molfile (a counts
 * line and an "M  END" line), 0 otherwise or for an unknown handle. A text
 * accepted here may still turn out chemically unreadable; then every test with
 * it answers "no". */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL OpenMolString(uintptr_t molHandle,
                                                             const char* molText);

/* Reads the molfile at path (a file system path in the platform's encoding) and
 * puts its text into the molecule handle as OpenMolString does. A file that
 * cannot be read, is not a regular file or is larger than 64 MiB (no molfile is)
 * leaves the handle holding an unreadable molecule. Returns as OpenMolString; 0
 * also when the file is not read. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL OpenMolFile(uintptr_t molHandle, const char* path);

/* Makes the molecule currently held by molHandle the query of the comparison.
 * The compare handle keeps that molecule: later OpenMolString calls on molHandle,
 * or destroying it, do not change the query until SetQueryMolecule is called
 * again. The query is prepared once and reused for every target. An unknown
 * molecule handle clears the query (every test then answers "no") and returns 0.
 * Returns 1 on success, 0 for an unknown compare or molecule handle. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL SetQueryMolecule(uintptr_t compareHandle,
                                                                uintptr_t molHandle);

/* Makes the molecule currently held by molHandle the target, with the same rules
 * as SetQueryMolecule. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL SetTargetMolecule(uintptr_t compareHandle,
                                                                 uintptr_t molHandle);

/* Substructure test: is the query found in the target?
 * Returns 1 when it is, 0 when it is not (also when either molecule is unreadable
 * or the query has no atoms), -1 for an unknown compare handle or when it holds no
 * query or no target (never set, or cleared by an unknown molecule handle).
 * Callers test "> 0". */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL CompareMolecules(uintptr_t compareHandle);

/* Exact test: are query and target the same structure (see "Exact match" above)?
 * Returns 1 or 0; 0 also for unreadable or empty molecules and unknown handles. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL ExactMatch(uintptr_t compareHandle);

/* Switches stereo chemistry on for this comparison (the same as
 * ConsiderStereoChemistry2 with flag 1). Returns 1, or 0 for an unknown handle. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL ConsiderStereoChemistry(uintptr_t compareHandle);

/* Takes stereo chemistry into account (flag low byte non-zero) or ignores it
 * (flag low byte 0) in later tests. Returns 1, or 0 for an unknown handle. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL ConsiderStereoChemistry2(uintptr_t compareHandle,
                                                                        int32_t flag);

/* Switches highlighting on (flag low byte non-zero) or off for this comparison;
 * see GetHighlightedMolecule. Returns 1, or 0 for an unknown handle. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL SetQueryHighlighting(uintptr_t compareHandle,
                                                                    int32_t flag);

/* With highlighting on and the query found in the target: writes to *text the
 * target as a molfile (regenerated; atoms in their original order, coordinates
 * and explicit hydrogens kept) in which the matched atoms are marked by their
 * atom-atom mapping number, set to the number (1-based) of the query atom each
 * one matched; every other atom has mapping number 0. The first match found is
 * marked; stereo chemistry is applied as set. The text is allocated with malloc
 * and must be released by the caller with free. Returns the number of marked
 * atoms (> 0). Returns 0 and sets *text to NULL when highlighting is off, the
 * query is not found, a molecule is unreadable or a handle is unknown. A NULL
 * text pointer makes the call do nothing and return 0. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL GetHighlightedMolecule(uintptr_t compareHandle,
                                                                      char** text);

/* Where the query lies in the target: the first match, as the substructure test with the
 * stereo setting finds it (highlighting need not be on). Writes to atoms[i] the target atom
 * that query atom i matched, and to bonds[] the target bonds that the query's bonds matched,
 * in the order of the query's bonds (a bond to a hydrogen merged into its neighbour has none).
 * Indices are 0-based in the order of the target molfile's atom and bond blocks, explicit
 * hydrogens counted. *atomCount and *bondCount receive the numbers of matched atoms and bonds;
 * at most atomCapacity and bondCapacity entries are written, so a count above its capacity
 * asks for a second call with more room (the query's atom and bond counts always suffice).
 * Returns 1 when the query is found, 0 when it is not (also for unreadable molecules and a
 * query without atoms), -1 for an unknown compare handle, a missing query or target, a NULL
 * count pointer, a negative capacity or a NULL list with a capacity above 0; the counts are 0
 * unless 1 is returned. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL GetQueryMatch(uintptr_t compareHandle,
                                                             int32_t* atoms, int32_t atomCapacity,
                                                             int32_t* bonds, int32_t bondCapacity,
                                                             int32_t* atomCount,
                                                             int32_t* bondCount);

/* Compares two MDL reaction texts (RXN, V2000 or V3000): 1 when they describe the
 * same reaction, regardless of the order in which reactants, products and agents
 * are listed, 0 when they differ or either cannot be read. Each side is compared
 * as a collection of molecules (a block holding two fragments equals two blocks
 * holding one each); hydrogens, Kekule forms and atom-atom mapping numbers are
 * treated as in ExactMatch, stereo chemistry is taken into account, and reactants
 * never stand in for products or agents. Needs no handle; safe on any thread. */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL CheckReactionPermutation(const char* rxnText1,
                                                                        const char* rxnText2);

/* The exact-match key of the molecule held by molHandle, so that many molecules can be
 * grouped by identical structure with one key each instead of comparing every pair. Two
 * molecules that both have a key are the same structure in the sense of ExactMatch (see
 * "Exact match" above) exactly when their keys are equal byte for byte, with stereo chemistry
 * taken into account (stereo low byte non-zero) or ignored (low byte 0) as ExactMatch does
 * with the same setting. The key is a zero-terminated text meant only to be compared for
 * equality and kept alongside its molecule; its form may differ between versions of this
 * library.
 * Returns 1 and sets *key to the key, allocated with malloc (the caller releases it with
 * free). Returns 0 and sets *key to NULL for a readable molecule without atoms (which
 * ExactMatch never calls equal to anything). Returns -1 and sets *key to NULL when the
 * molecule cannot be read (ExactMatch answers 0 for it), the handle is unknown or holds no
 * text. A NULL key pointer makes the call do nothing and return -1.
 * The molecule is read once per text: later calls, and comparisons of the same text, reuse
 * what was read (the process-wide cache described under "Threads"). */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL GetExactMatchKey(uintptr_t molHandle, int32_t stereo,
                                                                char** key);

/* What "the same molecule" ignores in GetPolicyMatchKey, as bit flags that may be combined.
 * The steps run in this order, each on the result of the one before:
 *   salts     keep only the largest fragment, organic fragments first (salts, solvents and
 *             counter ions go);
 *   charges   neutralise by adding or removing hydrogens: acids and bases lose their charges,
 *             a zwitterion becomes its neutral form; a charge no hydrogen can take away
 *             (a quaternary nitrogen) stays, with as much opposite charge as balances it;
 *   isotopes  every atom loses its isotope label; labelled hydrogens (D, T) become plain
 *             hydrogens and are suppressed like any other;
 *   tautomers a tautomer-insensitive form: hydrogens on atoms other than carbon count as one
 *             pool and the bonds they can shift along (bonds to such atoms, conjugated bonds)
 *             lose their order. Forms that differ by hydrogens moving between such atoms are
 *             one (2-pyridone and 2-hydroxypyridine, a zwitterion and its neutral form);
 *             hydrogens on carbon stay where they are, so keto and enol forms stay apart. */
enum {
    VESKCHEMSEARCH_POLICY_SALTS = 1,
    VESKCHEMSEARCH_POLICY_CHARGES = 2,
    VESKCHEMSEARCH_POLICY_ISOTOPES = 4,
    VESKCHEMSEARCH_POLICY_TAUTOMERS = 8
};

/* The key of the molecule held by molHandle under a policy (VESKCHEMSEARCH_POLICY_* flags
 * combined): two molecules that both have a key are the same structure once the policy's
 * steps have been applied to each exactly when their keys are equal byte for byte, with
 * stereo chemistry taken into account (stereo low byte non-zero) or ignored (low byte 0).
 * Policy 0 gives exactly GetExactMatchKey's key. The key is a canonical SMILES-like
 * zero-terminated text meant only to be compared with keys made under the same policy and
 * stereo setting; its form may differ between versions of this library.
 * Returns and sets *key as GetExactMatchKey does: 1 with the key (malloc'ed, released by the
 * caller with free), 0 for a readable molecule without atoms, -1 when the molecule cannot be
 * read, the handle is unknown or holds no text. -1 also when the policy has bits other than
 * the four flags, and for a molecule the policy's steps cannot be applied to (one that is
 * read only partially, with odd valences, may be such a one). A NULL key pointer makes the
 * call do nothing and return -1. Safe on any thread under the rules of "Threads". */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL GetPolicyMatchKey(uintptr_t molHandle,
                                                                 int32_t policy, int32_t stereo,
                                                                 char** key);

/* Switches the quick paths on (flag low byte non-zero, the default) or off, for the whole
 * process. There are two. Screens: before reading and matching a target, CompareMolecules
 * and ExactMatch check conditions that a hit needs and that the molecule text shows without
 * being read (elements, and for substructure the query's atoms and bonds laid over the
 * target's connection table). Quick reading: a substructure test without stereo chemistry
 * reads a plain V2000 target (element atoms other than hydrogen, charges, isotopes, single,
 * double and triple bonds) straight into the molecule the full reading would give, less its
 * stereo perception. Answers never depend on this setting, only their speed does; switching
 * the quick paths off is for checking exactly that. Safe on any thread. Returns the previous
 * setting (1 on, 0 off). */
VESKCHEMSEARCH_API int32_t VESKCHEMSEARCH_CALL UseQuickPaths(int32_t flag);

#ifdef __cplusplus
}
#endif

#endif /* VESKCHEMSEARCH_H */
