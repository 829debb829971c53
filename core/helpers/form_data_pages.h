#pragma once
// Form data (XFDF) for a PDF form whose page holds a fixed number of records: the records
// are spread over numbered files stem + "_str" + n + ".xfdf", one per page, each with the
// page's fixed fields, its records' fields (the row on the page appended to each name)
// and the form it fills. Every page is checked on its own before it is written: an
// existing file is replaced only after the clerk agreed, and a declined page writes
// nothing and its records are not carried to the next page, so every later page keeps
// its own records, rows and page number.
#include "core/helpers/xml_output.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace tarix::MyConsts {

struct FormField {
    QString name;
    QString value;
};
using FormFields = QList<FormField>;

struct FormDataPages {
    // Path without the page part: stem + "_str" + n + ".xfdf".
    QString stem;
    // The PDF form the files fill (each file's href); it must exist (EMyError 65129).
    QString form;
    int recordsPerPage = 8;
    // The fixed fields of page n (from 1), written before its records.
    std::function<FormFields(int page)> pageFields;
    // The fields of each record, in order; record i is row i % recordsPerPage of page
    // i / recordsPerPage + 1. Names are stems: the row (from 0) is appended.
    QList<FormFields> records;
    // Forms that number otherwise: the file of page n (from 1) in place of the stem's, and
    // a record's field name on its row (from 0) in place of the name + row.
    std::function<QString(int page)> pageFile;
    std::function<QString(const QString &name, int row)> fieldName;
};

struct FormDataPagesResult {
    int pages = 0;
    // The files written, in page order (a declined page is missing).
    QStringList written;
    // The file of the last page, written or declined.
    QString lastFile;
};

// The pages `records` fill at `recordsPerPage` a page: at least one, also without records.
int formDataPageCount(qsizetype records, int recordsPerPage);

// The file of page n (from 1).
QString formDataPageFile(const QString &stem, int page);

// The opening lines of a form-data document: the XML declaration, <xfdf ...>, <fields>.
void xfdfBegin(XmlText &x);
// The closing lines: </fields>, <f href="form"/>, </xfdf>.
void xfdfEnd(XmlText &x, const QString &form);

// The form-data document of page n (from 1).
QByteArray formDataPage(const FormDataPages &pages, int page);

// Writes every page (at least one, with no records when there are none). Every page is
// checked before the first is written; the pages are written whole through temporary
// files made durable together, so a failure raises and replaces none of them, and a
// crash leaves each page either as it was or complete.
FormDataPagesResult writeFormDataPages(const FormDataPages &pages);

} // namespace tarix::MyConsts
