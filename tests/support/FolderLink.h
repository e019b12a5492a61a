#pragma once

#include <string>

// True when this program runs under Wine.
bool RunningUnderWine();

// Makes a folder link at link (which must not exist) that leads to the folder target, with
// whatever the platform allows: a symbolic link, else a junction, else, under Wine, a Unix
// symbolic link. Answers an empty text on success, else why every way failed. Under Wine the
// test's messages are handled while the Unix link is waited for.
std::string MakeFolderLink(const std::string& link, const std::string& target);

// Removes a folder link without touching the folder it leads to; answers whether it is gone.
bool RemoveFolderLink(const std::string& link);
