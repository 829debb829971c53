#pragma once

namespace tarix::core {

// Named after the original's class: passes.
class TFormStred {
public:
    void Prepocitanie_vyplat();
    void setHorizLines(bool on);
};

// The header holds TFormMainVyp but is not named form_main_vyp.h.
class TFormMainVyp {
public:
    int pageCount() const;
    void Prepocitaj_zostatok();
};

} // namespace tarix::core
