// The numbers kept in stored texts such as "(3,3)" or "(309,3,312,150)".
#pragma once

#include <string>
#include <vector>

namespace brondavel::app {

// Reads up to `count` signed decimal numbers from a text like "(-8,20)".
// Parentheses, spaces and any other characters between the numbers are
// skipped; a minus sign right before a number's digits makes it negative.
std::vector<int> ReadStoredNumbers(const std::string& text, int count);

// "(%d,%d)" and "(%d,%d,%d,%d)".
std::string WritePair(int a, int b);
std::string WriteRectangle(int left, int top, int width, int height);

}  // namespace brondavel::app
