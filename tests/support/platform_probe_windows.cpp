// The probe over the real platform. Windows tells no per-kind count of a
// process's GDI objects (and Wine tells none at all), so a test program
// routes the layers' calls through counting wrappers: every import slot
// defined below takes the place of the import library's, so the layers call
// the wrapper, and the wrapper calls the DLL's own entry point.
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

template <class Function>
Function Real(const char* module, const char* name) {
  const FARPROC entry = GetProcAddress(GetModuleHandleA(module), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}
#define REAL(module, name) static const auto real = Real<decltype(&::name)>(module, #name)

// The platform answers some requests with a stock object (a hollow brush is
// the stock null brush); those are never made or deleted.
bool IsStock(HANDLE object) {
  for (int index = WHITE_BRUSH; index <= DC_PEN; ++index) {
    if (GetStockObject(index) == object) return true;
  }
  return false;
}

void Made(HANDLE object, Kind kind) {
  if (object == nullptr || (kind != Kind::Window && IsStock(object))) return;
  std::lock_guard lock(Probe().mutex);
  Probe().made[object] = kind;
}

void Gone(HANDLE object) {
  std::lock_guard lock(Probe().mutex);
  Probe().made.erase(object);
  Probe().selected.erase(static_cast<HDC>(object));
}

std::string Utf8(const char* text) {
  if (text == nullptr) return {};
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8.c_str();  // up to the terminating zero
}

// A wrapper that counts what the call made as an object of `kind`.
#define COUNT_MADE(type, module, name, kind, parameters, arguments) \
  type WINAPI Counted##name parameters {                            \
    REAL(module, name);                                             \
    const type made = real arguments;                               \
    Made(made, Kind::kind);                                         \
    return made;                                                    \
  }

COUNT_MADE(HPEN, "gdi32.dll", CreatePenIndirect, Pen, (const LOGPEN* pen), (pen))
COUNT_MADE(HBRUSH, "gdi32.dll", CreateBrushIndirect, Brush, (const LOGBRUSH* brush), (brush))
COUNT_MADE(HFONT, "gdi32.dll", CreateFontIndirectA, Font, (const LOGFONTA* font), (font))
COUNT_MADE(HBITMAP, "gdi32.dll", CreateDIBSection, Bitmap,
           (HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset),
           (dc, info, usage, bits, section, offset))
COUNT_MADE(HDC, "gdi32.dll", CreateCompatibleDC, Dc, (HDC dc), (dc))
COUNT_MADE(HDC, "user32.dll", GetDC, Dc, (HWND window), (window))
COUNT_MADE(HWND, "user32.dll", CreateWindowExA, Window,
           (DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y, int width, int height,
            HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter),
           (ex_style, class_name, title, style, x, y, width, height, parent, menu, instance, parameter))

BOOL WINAPI CountedDeleteDC(HDC dc) {
  REAL("gdi32.dll", DeleteDC);
  Gone(dc);
  return real(dc);
}

int WINAPI CountedReleaseDC(HWND window, HDC dc) {
  REAL("user32.dll", ReleaseDC);
  Gone(dc);
  return real(window, dc);
}

HGDIOBJ WINAPI CountedSelectObject(HDC dc, HGDIOBJ object) {
  REAL("gdi32.dll", SelectObject);
  HGDIOBJ previous = real(dc, object);
  if (previous != nullptr) {
    std::lock_guard lock(Probe().mutex);
    Probe().selected[dc][GetObjectType(object)] = object;
  }
  return previous;
}

BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
  REAL("gdi32.dll", DeleteObject);
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
}

int WINAPI CountedGetDeviceCaps(HDC dc, int index) {
  REAL("gdi32.dll", GetDeviceCaps);
  const int dpi = Probe().dpi;
  if (dpi != 0 && (index == LOGPIXELSX || index == LOGPIXELSY)) return dpi;
  return real(dc, index);
}

int WINAPI CountedGetSystemMetrics(int index) {
  REAL("user32.dll", GetSystemMetrics);
  if (index == SM_DBCSENABLED && Probe().double_byte >= 0) return Probe().double_byte;
  return real(index);
}

BOOL WINAPI CountedGetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  REAL("gdi32.dll", GetTextMetricsA);
  const BOOL done = real(dc, metrics);
  // In a double-byte locale the system font carries the locale's set.
  if (done && Probe().double_byte == 1 &&
      GetCurrentObject(dc, OBJ_FONT) == GetStockObject(SYSTEM_FONT)) {
    metrics->tmCharSet = Probe().locale_charset;
  }
  return done;
}

int WINAPI CountedMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  REAL("user32.dll", MessageBoxA);
  probe::MessageBoxSink sink;
  {
    std::lock_guard lock(Probe().mutex);
    sink = Probe().message_boxes;
  }
  if (!sink) return real(owner, text, caption, type);
  // The platform's own caption when none is given.
  sink(Utf8(text), caption != nullptr && caption[0] != '\0' ? Utf8(caption) : "Error", type);
  return IDOK;
}

HANDLE WINAPI CountedCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack_size,
                                  LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                                  LPDWORD thread_id) {
  REAL("kernel32.dll", CreateThread);
  if (Probe().thread_creation_fails) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return real(security, stack_size, start, parameter, flags, thread_id);
}

}  // namespace

// The import slots: x64 names them __imp_Name, x86 __imp__Name@bytes.
#if defined(_WIN64)
#define IMPORT_SLOT(name, bytes) "__imp_" #name
#else
#define IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#endif
#define INTERPOSE(name, bytes) \
  extern "C" decltype(&::name) name##Slot asm(IMPORT_SLOT(name, bytes)); \
  decltype(&::name) name##Slot = &Counted##name

INTERPOSE(CreatePenIndirect, 4);
INTERPOSE(CreateBrushIndirect, 4);
INTERPOSE(CreateFontIndirectA, 4);
INTERPOSE(CreateDIBSection, 24);
INTERPOSE(CreateCompatibleDC, 4);
INTERPOSE(GetDC, 4);
INTERPOSE(DeleteDC, 4);
INTERPOSE(ReleaseDC, 8);
INTERPOSE(SelectObject, 8);
INTERPOSE(DeleteObject, 4);
INTERPOSE(GetDeviceCaps, 8);
INTERPOSE(GetSystemMetrics, 4);
INTERPOSE(GetTextMetricsA, 8);
INTERPOSE(CreateWindowExA, 48);
INTERPOSE(MessageBoxA, 16);
INTERPOSE(CreateThread, 24);

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

COLORREF ClientPixel(HWND window, int x, int y) {
  RECT client{};
  if (!GetClientRect(window, &client) || x < 0 || y < 0 || x >= client.right || y >= client.bottom) {
    return 0xFFFFFFFF;
  }
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE);  // not counted: the probe's own look
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

void UseTestDisplay() {}

}  // namespace probe
