#include "formats/objects/value_types.h"

const char* const kValueTypeNames[kValueTypeCount + 1] = {
    "int",          "real",           "unreal",         "string",
    "bool",         "char",           "unitList",       "itemList",
    "regenType",    "attackType",     "weaponType",     "targetType",
    "moveType",     "defenseType",    "pathingTexture", "upgradeList",
    "stringList",   "abilityList",    "heroAbilityList", "missileArt",
    "attributeType", "attackBits",    nullptr,
};
