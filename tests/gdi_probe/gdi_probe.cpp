// gdi_probe CASES OUTPUT: draws the cases through the platform's own drawing
// calls and writes their pictures, one after another, to OUTPUT.
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "probe_cases.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gdi_probe CASES OUTPUT\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1]);
    std::ofstream out(argv[2], std::ios::binary);
    if (!in || !out) throw std::runtime_error("cannot open the cases or the output");
    const auto cases = probe::ReadCases(in);
    for (const auto& c : cases) {
      const auto pixels = probe::DrawCase(c);
      out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    }
    if (!out.flush()) throw std::runtime_error("cannot write the output");
    std::cout << cases.size() << " cases\n";
  } catch (const std::exception& e) {
    std::cerr << "gdi_probe: " << e.what() << "\n";
    return 1;
  }
}
