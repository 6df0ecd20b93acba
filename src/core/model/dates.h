// Draw dates are kept as "yyyy-mm-dd" texts; computations use a day-count date-time
// (days since 1899-12-30, the fraction is the time of day) and yyyymmdd integers.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

using TDateTime = double;

TDateTime EncodeDate(int year, int month, int day);  // throws Error on an invalid date
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
bool IsValidDate(int year, int month, int day);
TDateTime Today();
TDateTime Now();
int DayOfWeek(TDateTime dt);  // 1 = Sunday .. 7 = Saturday

std::string DateToText(TDateTime dt);
TDateTime TextToDate(const std::string& text);  // 0 for an empty text; throws Error when invalid
int32_t DateToInt(TDateTime dt);
int32_t TextToDateInt(const std::string& text);

} // namespace velmora
