#pragma once
// Structure keys under a duplicate policy (TZelmarDuplicatePolicy bits): molecules whose keys
// are equal are the same once salts, charges, isotopes or tautomers are set aside as the
// policy says. Made by the search library on the work threads and kept with the records, per
// policy and stereo setting, until their molecule changes. Qt-free.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Zelmar_Object_SearchEngine.h"

class TZelmarSDFileData;

// Every bit a policy may hold.
constexpr int kZelmarAllPolicies = 1 | 2 | 4 | 8;

// Whether the search library makes keys under a policy (an older one loads without).
bool ZelmarPolicyKeysAvailable();

// keys[k]: records[k]'s key under the policy (null for a null record). Kept keys are taken as
// they are; only the missing ones are made, on up to two threads, each with its own search
// binding. A molecule the policy's steps cannot be applied to keeps its exact key (marked so
// that it never equals a policy key): under a policy it is still the same as its identical
// copies, and nothing else. The records must be loaded and stay unchanged meanwhile; the keys stay
// valid until keys are made for these records again. progress(done, total) runs on the calling
// thread between parts; false stops. False when stopped, for a policy outside the four bits, and
// when the library makes no policy keys.
using TZelmarPolicyKeyProgress = std::function<bool(std::size_t done, std::size_t total)>;
bool ZelmarMakePolicyKeys(const std::vector<TZelmarSDFileData*>& records, int policy,
                          bool considerStereo, std::vector<const TZelmarStructureKey*>& keys,
                          const TZelmarPolicyKeyProgress& progress);

// How many policy keys the search library has been asked for in this process, so that tests
// and the benchmark can see kept keys taken instead of new ones.
std::int64_t ZelmarPolicyKeysMade();

// The policy's words for the command line, "salts,charges,isotopes,tautomers" in any order
// and combination; false (policy 0, bad set to the word) for an unknown or empty word.
bool ZelmarParsePolicy(const std::string& words, int& policy, std::string& bad);
// The policy's words in the order above, joined by commas; empty for 0.
std::string ZelmarPolicyWords(int policy);
