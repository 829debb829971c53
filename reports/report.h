#pragma once
// The frame every report runs in. The run routine creates the report form, hands it the
// request, applies the print options ("Rámčeky" cleared: no frames; "Nadpisy" cleared:
// data only) and the frame pen widths, and calls the form's set-up routine, which binds
// the request to its data and shows the preview. Whatever fails on the way ends the run
// with the error box "Nastala chyba pri vytváraní tlačovej zostavy. " followed by the
// failure's own message; nothing reaches the caller, and the form is freed and the cursor
// restored on every path.
#include "platform/report/layout.h"
#include "reports/report_param.h"

#include <functional>
#include <memory>
#include <optional>

namespace tarix::reports {

// The frame pens of a report that redraws an official paper form: thin in the screen
// preview, stronger on paper and in PDF (the engine's pen units). Printing from the
// preview as often as the user likes always uses the paper width.
struct FrameWidths {
    double obrazovka;
    double papier;
};
inline constexpr FrameWidths kRamceky_1_8{1, 8};
inline constexpr FrameWidths kRamceky_1_5{1, 5};
inline constexpr FrameWidths kRamceky_1_4{1, 4};
inline constexpr FrameWidths kRamceky_2_4{2, 4};
inline constexpr FrameWidths kRamceky_2_7{2, 7};

// The print options of a report form under the names the report units use.
namespace MyQuick {
// No frames: every shape disabled.
inline void Vypni_ramceky(rpt::ReportForm &form) { form.applyNoFrames(); }
// Data only: every label and memo with tag 0 disabled; data texts stay.
inline void Vypni_nadpisy(rpt::ReportForm &form) { form.applyDataOnly(); }
// The frame pen of every shape: thin on screen, thicker on paper and in PDF.
inline void Nastav_hrubku_ramcekov(rpt::ReportForm &form, FrameWidths sirky)
{
    form.setShapePenWidths(sirky.obrazovka, sirky.papier);
}
} // namespace MyQuick

// The base of every report form: its copy of the request and its set-up routine.
class TReport : public rpt::ReportForm {
public:
    // What the set-up shows when the main data have no row.
    enum class PreviewMode {
        Vzdy,              // an (empty) preview
        Len_s_udajmi,      // nothing, without a message
        Hlasenie_prazdnej, // error box 65179 instead of the preview
    };

    TReport();
    virtual ~TReport();

    // The request of this run; the set-up routine and the handlers read it.
    TMyReportParam Param;
    PreviewMode nahlad = PreviewMode::Vzdy;
    // The hourglass stays on during the preview, until the form is freed.
    bool Presypacie_hodiny_ostavaju = false;
    // Frame pens by target; unset: the shapes keep the widths of the layout.
    std::optional<FrameWidths> Sirky_ramcekov;

    // Takes the request into the form (called right after creation).
    virtual void Nastav_parametre(const TMyReportParam &p) { Param = p; }
    // The set-up routine: opens the data, shows the preview, closes the data.
    virtual void Zobraz_zostavu();
    // Captions and query parameters from the request, then the queries opened.
    virtual void Otvor_data() {}
    virtual void Zatvor_data() {}
    // Whether the main data have a row (the main data source by default).
    virtual bool hasData() const;
    // The preview as `nahlad` says; returns when the preview window is closed.
    void showReportPreview();

    // The request's print options and the frame widths, applied to the form.
    void setPrintOptions();
};

using ReportCreation = std::function<std::unique_ptr<TReport>()>;

// The run routine: creates the form, hands it the request, applies the print options,
// runs its set-up, frees it. Never raises.
void Spusti_zostavu(const TMyReportParam &p, const ReportCreation &vytvor);

template <class R>
void Spusti_zostavu(const TMyReportParam &p)
{
    Spusti_zostavu(p, [] { return std::unique_ptr<TReport>(std::make_unique<R>()); });
}

// The routine to register for a report class.
template <class R>
std::function<void(const TMyReportParam &)> reportRun()
{
    return [](const TMyReportParam &p) { Spusti_zostavu<R>(p); };
}

// Runs `beh` and shows any failure as a report-run error: 65180 directly followed by the
// failure's message, in the error box, after `beh`'s own clean-up has run. A silent abort
// (EAbort) has been told to the user already and shows nothing. Returns false on failure.
bool runGuarded(const std::function<void()> &beh);

// The error text of a failed report run.
QString reportErrorText(const QString &sprava);

} // namespace tarix::reports
