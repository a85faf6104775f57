// udevrule: writes the udev access rule for every mouse identity in the catalogue.
//   udevrule CONFIG_XML RULES_FILE
// The rules file is replaced whole or left as it was, so a failed build never installs half a rule.
#include "device/DeviceCatalogue.h"
#include "packaging/UdevAccessRule.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: udevrule CONFIG_XML RULES_FILE\n";
        return 2;
    }
    DeviceCatalogue catalogue;
    if (!catalogue.Load(argv[1], {})) {
        std::cerr << "udevrule: cannot read the catalogue " << argv[1] << "\n";
        return 1;
    }
    std::string text;
    std::string error;
    if (!UdevAccessRule::Compose(catalogue.Modes(), text, error)) {
        std::cerr << "udevrule: " << argv[1] << ": " << error << "\n";
        return 1;
    }
    const std::filesystem::path target = argv[2];
    const std::filesystem::path temporary = target.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::cerr << "udevrule: cannot write " << temporary.string() << "\n";
            return 1;
        }
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, target, renameError);
    if (renameError) {
        std::cerr << "udevrule: cannot write " << target.string() << ": " << renameError.message() << "\n";
        std::filesystem::remove(temporary, renameError);
        return 1;
    }
    return 0;
}
