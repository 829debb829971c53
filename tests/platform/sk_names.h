#pragma once
// The pairs of names whose Slovak order both backends must keep: the embedded collation
// "SK" and the server's tarix.sk.
namespace tarix::test {

struct SlovakPair {
    const char *less, *greater;
};

inline constexpr SlovakPair kSlovakOrder[] = {
    {"Cibula", "Čierny"}, {"Hudák", "Chudý"}, {"Cibula", "Čapek"}, {"Hudák", "Chovan"},
    {"Čierny", "Dan"},    {"Hz", "Ch"},       {"Sýkora", "Šimko"}, {"Zeman", "Žák"},
    {"Ábel2", "Adam"},    {"Ábel", "Adam"},   {"ara", "ára"},      {"Azúr", "Äpfel"},
    {"Osa", "Ôsa"},       {"hudák", "Hudák"}, {"Lubo", "Ľubo"},    {"9", "A"},
    {"Nový", "Nový Ján"}, {"", "a"},
};

} // namespace tarix::test
