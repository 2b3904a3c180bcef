// The pages' design names: the keys of the page model and the objectName of
// every page window.
#pragma once

#include <QString>

namespace forms::page {

inline const QString FristPage = QStringLiteral("Frist_page");
inline const QString SelectSim = QStringLiteral("Select_sim");
inline const QString UserForm1 = QStringLiteral("UserForm1");    // basic calculation
inline const QString UserForm2 = QStringLiteral("UserForm2");    // its results
inline const QString UserForm13 = QStringLiteral("UserForm13");  // cycle pictures
inline const QString UserForm4 = QStringLiteral("UserForm4");    // comparison form
// Comparison result pages, in the order of their Next buttons.
inline const QString UserForm5_G = QStringLiteral("UserForm5_G");    // COP
inline const QString UserForm8_G = QStringLiteral("UserForm8_G");    // vapour volume
inline const QString UserForm6_G = QStringLiteral("UserForm6_G");    // mass per heat output
inline const QString UserForm7_G = QStringLiteral("UserForm7_G");    // displacement volume
inline const QString UserForm9_G = QStringLiteral("UserForm9_G");    // discharge pressure
inline const QString UserForm10_G = QStringLiteral("UserForm10_G");  // discharge temperature
inline const QString UserForm3_G = QStringLiteral("UserForm3_G");    // pressure ratio
inline const QString TotalResults = QStringLiteral("Ex_Out_compar_HP_G");
// The cycle diagrams, reached from UserForm2 and from the total results.
inline const QString Diagram = QStringLiteral("Diagram_page");
// Every fluid and blend under the comparison form's conditions.
inline const QString Screening = QStringLiteral("Screening_page");
// The transcritical cycle (carbon dioxide water heaters): its form and results.
inline const QString TranscriticalForm = QStringLiteral("Transcritical_form");
inline const QString TranscriticalResults = QStringLiteral("Transcritical_results");
// The cycle layouts of high-lift heat pumps: their form, one layout's
// results, and the four layouts side by side.
inline const QString LayoutsForm = QStringLiteral("Layouts_form");
inline const QString LayoutResults = QStringLiteral("Layouts_results");
inline const QString LayoutComparison = QStringLiteral("Layouts_comparison");
// A parameter study of a form's calculation, opened from the form.
inline const QString Study = QStringLiteral("Study_page");

}  // namespace forms::page
