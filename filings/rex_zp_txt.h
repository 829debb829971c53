#pragma once
// The health insurers' batch text files: the monthly statement of advances ("514" batch,
// code "ZPTXT", "N514" + yyyymm + ".001") and the report of changes of insured persons
// ("601" batch, code "ZP601", ICO + yyyymmdd + ".601"). Each insurer with data in the month
// gets its file in the subfolder "ZP" + insurer of the firm's output folder. Lines are
// fields joined by "|" ending in CR LF, Windows-1250, amounts with a decimal point.
// Every file is built before the first is written, so a failing query writes nothing.
#include "reports/report_param.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::filings::RexZpTxt {

// One insurer's file: its subfolder ("ZP" + insurer) and name, and its bytes.
struct BatchFile {
    int kzp = 0;
    QString priecinok;
    QString nazov;
    QByteArray obsah;
};

// What a run built: the files and the insurers left without a file (with the reason).
struct Batch {
    std::vector<BatchFile> subory;
    QStringList upozornenia;
};

// "N514" + yyyymm + ".001".
QString name514(int obdobie);
// The employer's ICO left-padded with "0" to 8 characters (cut to 8) + yyyymmdd + ".601".
QString name601(const QString &ico, const QDate &den);
// An amount or rate as the insurers read it: "%.2f" with a decimal point.
QString Suma(double v);

// The 514 files of the period and centre range. More than 99 insurers raise EMyError.
Batch batch514(db::Session &session, const reports::TMyReportParam &p, const QDate &dnes);
// The 601 files of the period's changes (Davka601).
Batch Davka_601(db::Session &session, const reports::TMyReportParam &p, const QDate &dnes);

// Writes the files of a run into their subfolders of `folder` (made when missing), all of
// them whole and made durable together: a failure replaces none of them.
void writeBatch(const Batch &batch, const QString &folder);

// The run of codes "ZPTXT" and "ZP601": the files written, then 65093 (and the insurers
// left out, when any); a month with nothing to report writes no file and says so without
// naming one; a failure ends the run with 65180.
void Export_davok_zp(const reports::TMyReportParam &p);

// Registers the run with the report dispatcher.
void registerHealthBatches();

} // namespace tarix::filings::RexZpTxt
