// The probe over the real platform. Windows counts no GDI objects per kind
// (and Wine none at all), so the layers' calls go through wrappers: each
// import slot defined below takes the import library's place, and its
// wrapper calls the DLL's own entry point.
#include <map>
#include <mutex>
#include <string>

#include "support/platform_probe.h"

namespace {

enum class Kind { Pen, Brush, Font, Bitmap, Dc, Window };

struct State {
  std::mutex mutex;
  std::map<HANDLE, Kind> made;
  std::map<HDC, std::map<DWORD, HGDIOBJ>> selected;  // per context, per object type
  long misuse = 0;
  int dpi = 0;           // 0: the screen's own
  int double_byte = -1;  // -1: the system's own answer
  BYTE locale_charset = DEFAULT_CHARSET;
  probe::MessageBoxSink message_boxes;
  bool thread_creation_fails = false;
};

State& Probe() {
  static State state;
  return state;
}

// The platform answers some requests with a stock object (a hollow brush is
// the stock null brush); those are never made or deleted.
bool IsStock(HANDLE object) {
  for (int index = WHITE_BRUSH; index <= DC_PEN; ++index) {
    if (GetStockObject(index) == object) return true;
  }
  return false;
}

void Gone(HANDLE object) {
  std::lock_guard lock(Probe().mutex);
  Probe().made.erase(object);
  Probe().selected.erase(static_cast<HDC>(object));
}

// A message box's text, in the program's code page, as UTF-8.
std::string Utf8(const char* text) {
  wchar_t wide[4096] = {};
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 4096);
  char utf8[4 * 4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

// Counts what a call made as an object of `kind`.
template <Kind kind>
constexpr auto Counted = [](auto real, auto... arguments) {
  const auto made = real(arguments...);
  if (made != nullptr && (kind == Kind::Window || !IsStock(made))) {
    std::lock_guard lock(Probe().mutex);
    Probe().made[made] = kind;
  }
  return made;
};

// The wrapper of an entry point of type Function: it calls `around` with the
// DLL's own entry point, which `lookup` finds, and the call's arguments.
template <class Function>
struct Wrapper;
template <class Result, class... Arguments>
struct Wrapper<Result(WINAPI*)(Arguments...)> {
  template <auto lookup, auto around>
  static Result WINAPI Call(Arguments... arguments) {
    static const auto real = reinterpret_cast<Result(WINAPI*)(Arguments...)>(lookup());
    return around(real, arguments...);
  }
};

}  // namespace

// The import slots: x64 names them __imp_Name, x86 __imp__Name@bytes.
#if defined(_WIN64)
#define IMPORT_SLOT(name, bytes) "__imp_" #name
#else
#define IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#endif
// Routes the layers' calls of `name` through the function that follows.
#define INTERPOSE(module, name, bytes, ...)                              \
  extern "C" decltype(&::name) name##Slot asm(IMPORT_SLOT(name, bytes)); \
  decltype(&::name) name##Slot = Wrapper<decltype(&::name)>::Call<       \
      [] { return reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(module), #name)); }, __VA_ARGS__>

INTERPOSE("gdi32.dll", CreatePenIndirect, 4, Counted<Kind::Pen>);
INTERPOSE("gdi32.dll", CreateBrushIndirect, 4, Counted<Kind::Brush>);
INTERPOSE("gdi32.dll", CreateFontIndirectA, 4, Counted<Kind::Font>);
INTERPOSE("gdi32.dll", CreateDIBSection, 24, Counted<Kind::Bitmap>);
INTERPOSE("gdi32.dll", CreateCompatibleDC, 4, Counted<Kind::Dc>);
INTERPOSE("user32.dll", GetDC, 4, Counted<Kind::Dc>);
INTERPOSE("user32.dll", CreateWindowExA, 48, Counted<Kind::Window>);

INTERPOSE("gdi32.dll", DeleteDC, 4, [](auto real, HDC dc) {
  Gone(dc);
  return real(dc);
});

INTERPOSE("user32.dll", ReleaseDC, 8, [](auto real, HWND window, HDC dc) {
  Gone(dc);
  return real(window, dc);
});

INTERPOSE("gdi32.dll", SelectObject, 8, [](auto real, HDC dc, HGDIOBJ object) {
  HGDIOBJ previous = real(dc, object);
  if (previous != nullptr) {
    std::lock_guard lock(Probe().mutex);
    Probe().selected[dc][GetObjectType(object)] = object;
  }
  return previous;
});

// Deleting an object the probe saw made while a context still holds it.
INTERPOSE("gdi32.dll", DeleteObject, 4, [](auto real, HGDIOBJ object) {
  {
    std::lock_guard lock(Probe().mutex);
    if (Probe().made.count(object) != 0) {
      for (const auto& [dc, objects] : Probe().selected) {
        for (const auto& [type, selected] : objects) Probe().misuse += selected == object;
      }
    }
  }
  Gone(object);
  return real(object);
});

INTERPOSE("gdi32.dll", GetDeviceCaps, 8, [](auto real, HDC dc, int index) {
  const int dpi = Probe().dpi;
  return dpi != 0 && (index == LOGPIXELSX || index == LOGPIXELSY) ? dpi : real(dc, index);
});

INTERPOSE("user32.dll", GetSystemMetrics, 4, [](auto real, int index) {
  return index == SM_DBCSENABLED && Probe().double_byte >= 0 ? Probe().double_byte : real(index);
});

// In a double-byte locale the system font carries the locale's set.
INTERPOSE("gdi32.dll", GetTextMetricsA, 8, [](auto real, HDC dc, TEXTMETRICA* metrics) {
  const BOOL done = real(dc, metrics);
  if (done && Probe().double_byte == 1 && GetCurrentObject(dc, OBJ_FONT) == GetStockObject(SYSTEM_FONT)) {
    metrics->tmCharSet = Probe().locale_charset;
  }
  return done;
});

INTERPOSE("user32.dll", MessageBoxA, 16, [](auto real, HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  probe::MessageBoxSink sink;
  {
    std::lock_guard lock(Probe().mutex);
    sink = Probe().message_boxes;
  }
  if (!sink) return real(owner, text, caption, type);
  // The platform's own caption when none is given.
  sink(Utf8(text), caption != nullptr && caption[0] != '\0' ? Utf8(caption) : "Error", type);
  return IDOK;
});

INTERPOSE("kernel32.dll", CreateThread, 24, [](auto real, auto... arguments) -> HANDLE {
  if (!Probe().thread_creation_fails) return real(arguments...);
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
});

namespace probe {

LiveCounts CountLive() {
  std::lock_guard lock(Probe().mutex);
  LiveCounts live;
  int* counts[] = {&live.pens, &live.brushes, &live.fonts, &live.bitmaps, &live.dcs, &live.windows};
  for (const auto& [object, kind] : Probe().made) {
    *counts[static_cast<int>(kind)] += kind != Kind::Window || IsWindow(static_cast<HWND>(object));
  }
  return live;
}

long MisuseCount() {
  std::lock_guard lock(Probe().mutex);
  return Probe().misuse;
}

void SetScreenDpi(int dpi) { Probe().dpi = dpi == 96 ? 0 : dpi; }

void SetDoubleByteLocale(bool enabled, unsigned char system_charset) {
  Probe().double_byte = enabled ? 1 : 0;
  Probe().locale_charset = system_charset;
}

void SetMessageBoxSink(MessageBoxSink sink) {
  std::lock_guard lock(Probe().mutex);
  Probe().message_boxes = std::move(sink);
}

void SetThreadCreationFails(bool fails) { Probe().thread_creation_fails = fails; }

// Outside the client area, the context's clip, GetPixel answers 0xFFFFFFFF.
COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE);  // not counted: the probe's own look
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

void UseTestDisplay() {}

}  // namespace probe
