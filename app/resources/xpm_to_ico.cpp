// Build tool: xpm_to_ico <artwork.xpm> <icon.ico>, run on the build machine.
#include <fstream>
#include <iostream>
#include <iterator>

#include "app/resources/icon_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: xpm_to_ico <artwork.xpm> <icon.ico>\n";
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    const std::string xpm(std::istreambuf_iterator<char>(input), {});
    std::vector<std::uint8_t> ico;
    std::string error;
    if (!input || !sonvik::ConvertXpmToIco(xpm, ico, error)) {
        std::cerr << argv[1] << ": " << (error.empty() ? "cannot be read" : error) << "\n";
        return 1;
    }
    std::ofstream output(argv[2], std::ios::binary);
    output.write(reinterpret_cast<const char*>(ico.data()),
                 static_cast<std::streamsize>(ico.size()));
    return output ? 0 : 1;
}
