// Waits until a window of the given class is shown, saves a PNG of it as it appears on the
// screen, then asks it to close. Used to look at the program as a user sees it.
//   screenshot <window class> <png file>

#include "PngWriter.h"

#include <windows.h>

#include <cstdio>

namespace {

HWND WaitForWindow(const char* className, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    const HWND window = FindWindowA(className, nullptr);
    if (window != nullptr && IsWindowVisible(window)) {
      return window;
    }
    Sleep(100); // another process's window: nothing of ours to pump
  }
  return nullptr;
}

std::vector<std::uint8_t> Capture(HWND window, int& width, int& height) {
  RECT rect;
  GetWindowRect(window, &rect);
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    rgb.insert(rgb.end(), {pixels[i * 4 + 2], pixels[i * 4 + 1], pixels[i * 4]});
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return rgb;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshot <window class> <png file>\n");
    return 2;
  }
  const HWND window = WaitForWindow(argv[1], 60000);
  if (window == nullptr) {
    std::fprintf(stderr, "no window of class %s appeared\n", argv[1]);
    return 1;
  }
  // Let the window finish painting before it is captured.
  SetForegroundWindow(window);
  Sleep(1500);
  int width = 0;
  int height = 0;
  const std::vector<std::uint8_t> rgb = Capture(window, width, height);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!WritePng(argv[2], width, height, rgb)) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("saved %s (%dx%d)\n", argv[2], width, height);
  return 0;
}
