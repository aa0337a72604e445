// The value types of an object modification and the table formats that use
// them.
//
// A modification stores its value type as an int32, the index of the type's
// name in kValueTypeNames; the text form writes the name. Only three types
// change how the value is stored: "real" and "unreal" hold a float32,
// "string" a zero-terminated string; every other type holds an int32.
#ifndef FORMATS_OBJECTS_VALUE_TYPES_H_
#define FORMATS_OBJECTS_VALUE_TYPES_H_

#include <cstdint>

constexpr int kValueTypeCount = 22;

// The 22 names in the order of their numbers, ended by nullptr so that the
// list can be handed to TextToBinaryConverter::lookup().
extern const char* const kValueTypeNames[kValueTypeCount + 1];

enum ValueType : int32_t {
  kRealValue = 1,
  kUnrealValue = 2,
  kStringValue = 3,
};

inline bool isValueType(int32_t type) { return type >= 0 && type < kValueTypeCount; }
inline bool storesReal(int32_t type) { return type == kRealValue || type == kUnrealValue; }
inline bool storesString(int32_t type) { return type == kStringValue; }

// What tells the custom units table (war3map.w3u) and the abilities table
// (war3map.w3a) apart; everything else of the two is the same.
struct ObjectTableFormat {
  const char* kind;        // in the header comment: "// Warcraft 3 <kind> File"
  const char* section;     // the word after .section and .endSection
  const char* binaryFile;  // named in brackets after the section word
  // Number of int32 fields a modification record holds between its value
  // type and its value (the abilities table's level and data pointer).
  int extraIntegers;
};

inline constexpr ObjectTableFormat kCustomUnitsTable{"Custom Units", "CustomUnits",
                                                     "war3map.w3u", 0};
inline constexpr ObjectTableFormat kAbilitiesTable{"Abilities", "Abilities",
                                                   "war3map.w3a", 2};

// The longest string value a binary table may hold, without its zero byte.
constexpr int kMaxStringValueBytes = 1023;

#endif  // FORMATS_OBJECTS_VALUE_TYPES_H_
