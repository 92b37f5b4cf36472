// Developer command: writes a generated function as a term file for quillon_simplify.
#include <iostream>
#include <string>

#include "Functions.h"
#include "model/State.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::cerr
            << "usage: quillon_genfunc random|parity|majority|product|hi N [DENSITY] [SEED]\n";
        return 1;
    }
    const auto kind = FunctionKindByName(argv[1]);
    TFunctionRecipe recipe;
    int n = 0;
    try {
        n = std::stoi(argv[2]);
        recipe.Density = argc > 3 ? std::stod(argv[3]) : 0.5;
        recipe.Seed = argc > 4 ? static_cast<uint32_t>(std::stoul(argv[4])) : 1;
    } catch (const std::exception&) {
        n = 0;
    }
    if (!kind || n < 3 || n > MaxVars || recipe.Density < 0 || recipe.Density > 1) {
        std::cerr << "quillon_genfunc: unknown kind, N outside 3..16 or DENSITY outside 0..1\n";
        return 1;
    }
    recipe.Kind = *kind;
    SetVarCount(n);
    std::string out = std::to_string(n) + "\n";
    for (const std::string& term : FunctionTerms(n, MakeFunction(n, recipe))) {
        out += term + "\n";
    }
    std::cout << out;
    return 0;
}
