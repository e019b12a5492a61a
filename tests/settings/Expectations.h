#pragma once

#include "QuilletMain.h"

#include <initializer_list>
#include <string>
#include <vector>

// The drop-down list of the mask box as designed.
extern const std::vector<std::string> Presets;
std::vector<std::string> Items(const TfrmQuilletMain& form);
int ScreenPixelsPerInch();

// What a save writes, each as TRegistryCalls records it: the placement values of a section,
// in order; the mask list's "Count" and items; the main window's stored properties.
std::vector<std::string> PlacementWrites(const std::string& section);
std::vector<std::string> ItemWrites(int count);
std::vector<std::string> PropertyWrites();
std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts);
