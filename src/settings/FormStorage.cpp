#include "Placement.h"
#include "PropsStorage.h"

#include <map>
#include <memory>

namespace {

// Splits "<component>.<property>" at its first dot, trimming both parts; false when either
// part is missing.
bool SplitEntry(const std::string& entry, std::string& component, std::string& property) {
  const std::size_t dot = entry.find('.');
  if (dot == std::string::npos) {
    return false;
  }
  component = Trim(entry.substr(0, dot));
  property = Trim(entry.substr(dot + 1));
  return !component.empty() && !property.empty();
}

} // namespace

std::vector<std::string> TFormStorage::StoredProps() const {
  std::vector<std::string> entries;
  for (const TStoredProp& prop : FStoredProps) {
    entries.push_back(prop.Entry);
  }
  return entries;
}

void TFormStorage::SetStoredProps(const std::vector<std::string>& entries) {
  FStoredProps.clear();
  for (const std::string& entry : entries) {
    FStoredProps.push_back({entry, nullptr});
  }
}

void TFormStorage::Loaded() {
  TFormPlacement::Loaded();
  ResolveStoredProps();
}

void TFormStorage::ResolveStoredProps() {
  for (std::size_t i = FStoredProps.size(); i-- > 0;) {
    std::string component;
    std::string property;
    TComponent* found = SplitEntry(FStoredProps[i].Entry, component, property)
                            ? Form().FindComponent(component)
                            : nullptr;
    if (found == nullptr) {
      FStoredProps.erase(FStoredProps.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    FStoredProps[i].Component = found;
    found->FreeNotification(this);
  }
}

void TFormStorage::NormaliseStoredProps() {
  for (std::size_t i = FStoredProps.size(); i-- > 0;) {
    TStoredProp& prop = FStoredProps[i];
    std::string component;
    std::string property;
    if (prop.Component == nullptr || !SplitEntry(prop.Entry, component, property)) {
      FStoredProps.erase(FStoredProps.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    prop.Entry = prop.Component->Name() + "." + property;
  }
}

void TFormStorage::Notification(TComponent* component, TOperation operation) {
  TFormPlacement::Notification(component, operation);
  if (operation == opRemove) {
    std::erase_if(FStoredProps,
                  [component](const TStoredProp& prop) { return prop.Component == component; });
  }
}

namespace {

// Each component's property list is built once per pass, however many entries name it.
class TPropInfoCache {
public:
  const TPropInfoList& For(TComponent& component) {
    auto& list = FLists[&component];
    if (!list) {
      list = std::make_unique<TPropInfoList>(component);
    }
    return *list;
  }

private:
  std::map<TComponent*, std::unique_ptr<TPropInfoList>> FLists;
};

} // namespace

void TFormStorage::LoadStoredProps(const TRegIniFile& store) {
  try {
    NormaliseStoredProps();
    TPropsStorage storage(
        MainSection(),
        [&store](const std::string& section, const std::string& name,
                 const std::string& defaultValue) {
          return store.ReadValue(section, name, defaultValue);
        },
        nullptr, nullptr,
        [&store](const std::string& section) { return store.ValueCount(section); });
    VisitStoredProps(storage,
                     [&storage](const TPropertyInfo& property) { storage.LoadProperty(property); });
  } catch (...) {
    // Stored properties that cannot be restored keep the values they have.
  }
}

void TFormStorage::SaveStoredProps(TRegIniFile& store) {
  NormaliseStoredProps();
  TPropsStorage storage(
      MainSection(), nullptr,
      [&store](const std::string& section, const std::string& name, const std::string& text) {
        store.WriteValue(section, name, text);
      },
      [&store](const std::string& section) { store.DeleteSection(section); });
  VisitStoredProps(storage,
                   [&storage](const TPropertyInfo& property) { storage.SaveProperty(property); });
}

void TFormStorage::VisitStoredProps(TPropsStorage& storage,
                                    const std::function<void(const TPropertyInfo&)>& visit) {
  TPropInfoCache cache;
  for (const TStoredProp& prop : FStoredProps) {
    std::string componentName;
    std::string propertyName;
    SplitEntry(prop.Entry, componentName, propertyName);
    storage.SetObject(prop.Component);
    storage.SetPrefix(prop.Component->Name() + "_");
    if (const TPropertyInfo* property = cache.For(*prop.Component).Find(propertyName)) {
      visit(*property);
    }
  }
}
