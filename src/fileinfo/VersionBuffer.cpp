#include "VersionBuffer.h"

#include "VersionResource.h"

#include <cstring>

std::optional<TVersionBuffer> TVersionBuffer::Read(const std::string& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) {
    return std::nullopt;
  }
  std::vector<char> bytes(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, bytes.data())) {
    return std::nullopt;
  }
  return TVersionBuffer(std::move(bytes));
}

std::vector<std::string> TVersionBuffer::TableKeys() const {
  return TVersionResource(FBytes.data(), FBytes.size()).TableKeys();
}

bool TVersionBuffer::Has(const std::string& subBlock) const {
  return TVersionResource(FBytes.data(), FBytes.size()).Reaches(subBlock);
}

std::optional<std::string_view> TVersionBuffer::Query(const std::string& subBlock) {
  if (TVersionResource(FBytes.data(), FBytes.size()).Query(subBlock) != qrFound) {
    return std::nullopt;
  }
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(FBytes.data(), subBlock.c_str(), &value, &length) || value == nullptr) {
    return std::nullopt;
  }
  const char* begin = FBytes.data();
  const char* at = static_cast<const char*>(value);
  if (at < begin || static_cast<std::size_t>(at - begin) > FBytes.size() ||
      length > FBytes.size() - (at - begin)) {
    return std::nullopt;
  }
  return std::string_view(at, length);
}

std::optional<std::string> TVersionBuffer::Text(const std::string& subBlock) {
  const std::optional<std::string_view> value = Query(subBlock);
  if (!value) {
    return std::nullopt;
  }
  return std::string(value->substr(0, value->find('\0')));
}

std::optional<std::pair<WORD, WORD>> TVersionBuffer::FirstTranslation() {
  const std::optional<std::string_view> value = Query("\\VarFileInfo\\Translation");
  WORD entry[2];
  if (!value || value->size() < sizeof entry) {
    return std::nullopt;
  }
  std::memcpy(entry, value->data(), sizeof entry);
  return std::make_pair(entry[0], entry[1]);
}

std::optional<VS_FIXEDFILEINFO> TVersionBuffer::FixedPart() {
  const std::optional<std::string_view> value = Query("\\");
  VS_FIXEDFILEINFO fixed;
  if (!value || value->size() < sizeof fixed) {
    return std::nullopt;
  }
  std::memcpy(&fixed, value->data(), sizeof fixed);
  return fixed;
}
