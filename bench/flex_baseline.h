#pragma once
// The flex-generated baseline scanner: counts the tokens of a dialog script.

long BaselineCountTokens(const char* bytes, int size);
