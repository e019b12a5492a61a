#pragma once

#include <string>
#include <vector>

// Records, in order, the registry writes and key deletions that this program's code makes
// while it lives, and can make one of them fail as a denied key or a full hive would. It
// redirects the program's import slots of those functions, so the code under test runs
// unchanged and the registry still receives every call that does not fail. One at a time.
class TRegistryCalls {
public:
  TRegistryCalls();
  ~TRegistryCalls();
  TRegistryCalls(const TRegistryCalls&) = delete;
  TRegistryCalls& operator=(const TRegistryCalls&) = delete;

  // "set <key>\<value>" and "delete <key>", each key named by the path it was opened with.
  const std::vector<std::string>& Calls() const { return FCalls; }
  // Opening or creating that key below the product key fails from now on.
  void FailKey(const std::string& path) { FFailedKey = path; }
  // Setting a value of that name fails from now on.
  void FailValue(const std::string& name) { FFailedValue = name; }

private:
  friend struct TRegistryHooks;

  std::vector<std::string> FCalls;
  std::string FFailedKey;
  std::string FFailedValue;
};
