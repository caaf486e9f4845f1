// The conversion run: every entry of the picture list, decoded and encoded in the chosen
// format, written into the save folder under its position's number.
#pragma once

void RunConversion();
