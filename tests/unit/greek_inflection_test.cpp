// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/greek_inflection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/test_names.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

std::vector<std::string> Forms(const std::string& headword, const char* tag) {
  return GreekInflectedFormsUtf8(headword, GreekPartOfSpeechFromTag(tag));
}

bool Has(const std::vector<std::string>& forms, const std::string& form) {
  return std::find(forms.begin(), forms.end(), form) != forms.end();
}

struct Paradigm {
  const char* headword;
  const char* tag;
  std::vector<std::string> present;  // forms that must be generated
  std::vector<std::string> absent;   // wrongly accented or made-up forms that must not be
};

class GreekParadigmTest : public ::testing::TestWithParam<Paradigm> {};

// Each case by its headword, in Latin letters.
std::string ParadigmName(const ::testing::TestParamInfo<Paradigm>& param_info) {
  return testing::TestNameOf(param_info.param.headword);
}

TEST_P(GreekParadigmTest, GeneratesTheFormsWithTheirAccents) {
  const Paradigm& p = GetParam();
  const std::vector<std::string> forms = Forms(p.headword, p.tag);
  for (const std::string& f : p.present) EXPECT_TRUE(Has(forms, f)) << p.headword << " → " << f;
  for (const std::string& f : p.absent) EXPECT_FALSE(Has(forms, f)) << p.headword << " ↛ " << f;
}

INSTANTIATE_TEST_SUITE_P(
    Nouns, GreekParadigmTest,
    ::testing::Values(
        Paradigm{"άνθρωπος",
                 "n",
                 {"ανθρώπου", "ανθρώπων", "ανθρώπους", "άνθρωποι", "άνθρωπε"},
                 {"άνθρωπων", "ανθρωπών"}},
        Paradigm{"ουρανός", "n", {"ουρανού", "ουρανό", "ουρανοί", "ουρανών", "ουρανούς"}, {}},
        Paradigm{"δάσος", "n", {"δάσους", "δάση", "δασών"}, {"δάσου", "δάσοι"}},
        Paradigm{"μέγεθος", "n", {"μεγέθους", "μεγέθη", "μεγεθών"}, {"μέγεθου"}},
        Paradigm{"πατέρας", "n", {"πατέρα", "πατέρες", "πατέρων"}, {"πατερών"}},
        Paradigm{"ψαράς", "n", {"ψαρά", "ψαράδες", "ψαράδων"}, {"ψαρές"}},
        Paradigm{"μαθητής", "n", {"μαθητή", "μαθητές", "μαθητών"}, {"μαθητήδες"}},
        Paradigm{"πολίτης", "n", {"πολίτη", "πολίτες", "πολιτών"}, {"πολίτων"}},
        Paradigm{"καφές", "n", {"καφέ", "καφέδες", "καφέδων"}, {}},
        Paradigm{"παππούς", "n", {"παππού", "παππούδες"}, {}},
        Paradigm{"συγγραφέας", "n", {"συγγραφέα", "συγγραφείς", "συγγραφέων"}, {}},
        Paradigm{"θάλασσα", "n", {"θάλασσας", "θάλασσες", "θαλασσών"}, {"θάλασσων"}},
        Paradigm{"γυναίκα", "n", {"γυναίκας", "γυναίκες", "γυναικών"}, {}},
        Paradigm{"καρδιά", "n", {"καρδιάς", "καρδιές", "καρδιών"}, {}},
        Paradigm{"εφημερίδα", "n", {"εφημερίδας", "εφημερίδες", "εφημερίδων"}, {"εφημεριδών"}},
        Paradigm{"πόλη", "n", {"πόλης", "πόλεις", "πόλεων", "πόλεως"}, {"πόλες", "πολέως"}},
        Paradigm{"απόφαση", "n", {"απόφασης", "αποφάσεις", "αποφάσεων"}, {"απόφασεις"}},
        Paradigm{"τιμή", "n", {"τιμής", "τιμές", "τιμών"}, {"τιμείς"}},
        Paradigm{"αλεπού", "n", {"αλεπούς", "αλεπούδες"}, {}},
        Paradigm{"μάθημα", "n", {"μαθήματος", "μαθήματα", "μαθημάτων"}, {"μάθηματος"}},
        Paradigm{"σπίτι", "n", {"σπιτιού", "σπίτια", "σπιτιών"}, {"σπίτιου"}},
        Paradigm{"παιδί", "n", {"παιδιού", "παιδιά", "παιδιών"}, {}},
        Paradigm{"πρόσωπο", "n", {"προσώπου", "πρόσωπα", "προσώπων"}, {"πρόσωπου"}},
        Paradigm{"χωριό", "n", {"χωριού", "χωριά", "χωριών"}, {}},
        Paradigm{"γράψιμο", "n", {"γραψίματος", "γραψίματα", "γραψιμάτων"}, {}},
        Paradigm{"ενδιαφέρον", "n", {"ενδιαφέροντος", "ενδιαφέροντα", "ενδιαφερόντων"}, {}},
        Paradigm{"κρέας", "n", {"κρέατος", "κρέατα"}, {"κρέα"}},
        Paradigm{
            "βιβλιοπώλης", "n", {"βιβλιοπώλη", "βιβλιοπώλες", "βιβλιοπωλών"}, {"βιβλιοπώληδες"}},
        Paradigm{"μανάβης", "n", {"μανάβη", "μανάβηδες"}, {"μανάβες"}},
        Paradigm{"εικόνα", "n", {"εικόνας", "εικόνων"}, {"εικονών"}},
        // Place names have no plural.
        Paradigm{"Αθήνα", "pn", {"αθήνας"}, {"αθήνες", "αθηνών"}}),
    ParadigmName);

INSTANTIATE_TEST_SUITE_P(
    Adjectives, GreekParadigmTest,
    ::testing::Values(
        Paradigm{"όμορφος",
                 "adj",
                 {"όμορφη", "όμορφο", "όμορφου", "όμορφης", "όμορφοι", "όμορφες", "όμορφα",
                  "όμορφων", "όμορφους", "ομορφότερος", "ομορφότερη"},
                 {"ομόρφου"}},
        Paradigm{"ωραίος", "adj", {"ωραία", "ωραίας", "ωραίο", "ωραιότερος"}, {"ωραίη"}},
        Paradigm{"ηπιότερος", "adj", {"ηπιότερη"}, {"ηπιοτερότερος"}},
        Paradigm{"καλός", "adj", {"καλή", "καλό", "καλοί", "καλύτερος", "καλύτερη"}, {"καλότερος"}},
        Paradigm{"πολύς", "adj", {"πολλή", "πολύ", "πολλοί", "πολλά", "πολλών"}, {"πολιά"}},
        Paradigm{"βαρύς", "adj", {"βαριά", "βαρύ", "βαριές", "βαριοί", "βαρύτερος"}, {}},
        Paradigm{"ευρύς", "adj", {"ευρεία", "ευρύ", "ευρείς", "ευρέος"}, {"ευριά"}},
        Paradigm{"διεθνής", "adj", {"διεθνή", "διεθνούς", "διεθνείς", "διεθνές", "διεθνών"}, {}},
        Paradigm{"ζηλιάρης", "adj", {"ζηλιάρα", "ζηλιάρικο", "ζηλιάρηδες"}, {}},
        Paradigm{"ενδιαφέρων",
                 "adj",
                 {"ενδιαφέρουσα", "ενδιαφέροντος", "ενδιαφέρον", "ενδιαφερόντων", "ενδιαφερουσών"},
                 {}},
        Paradigm{"ελεήμων", "adj", {"ελεήμονος", "ελεήμονες", "ελεημόνων"}, {"ελεήμουσα"}}),
    ParadigmName);

INSTANTIATE_TEST_SUITE_P(
    Verbs, GreekParadigmTest,
    ::testing::Values(
        Paradigm{"γράφω",
                 "v",
                 {"γράφεις",    "γράφουμε",  "γράφουν",   "έγραφα",     "γράφαμε",
                  "έγραψα",     "έγραψες",   "έγραψε",    "γράψαμε",    "γράψατε",
                  "έγραψαν",    "γράψανε",   "γράψω",     "γράψεις",    "γράψε",
                  "γράψτε",     "γράφοντας", "γράφομαι",  "γραφόμαστε", "γράφτηκα",
                  "γραφτήκαμε", "γραφτεί",   "γραμμένος", "γραμμένη",   "γραμμένα"},
                 {"γράψα", "έγραψαμε", "εγράψαμε", "γραψάμε"}},
        Paradigm{"δουλεύω",
                 "v",
                 {"δούλεψα", "δουλέψαμε", "δούλευα", "δουλεύτηκε", "δουλεμένος"},
                 {"δουλεύψα"}},
        Paradigm{"αγοράζω", "v", {"αγόρασα", "αγοράσω", "αγοράστηκε", "αγορασμένος"}, {}},
        Paradigm{"κοιτάζω", "v", {"κοίταξα", "κοιτάξει"}, {"κοίτασα"}},
        Paradigm{"πληρώνω", "v", {"πλήρωσα", "πληρώσει", "πληρώθηκε", "πληρωμένος"}, {}},
        Paradigm{"ανοίγω", "v", {"άνοιξα", "ανοίξει", "ανοίχτηκε", "ανοιγμένος"}, {"ανοίγα"}},
        Paradigm{"ζεσταίνω", "v", {"ζέστανα", "ζεστάνει", "ζεστάθηκε", "ζεσταμένος"}, {}},
        Paradigm{"πιάνω", "v", {"έπιασα", "πιάσαμε", "έπιανα"}, {"πίασα"}},
        Paradigm{"τελειώνω", "v", {"τελείωσα", "τελειώσαμε"}, {"τέλειωσα"}},
        Paradigm{"αγαπάω",
                 "v",
                 {"αγαπάς", "αγαπάει", "αγαπούν", "αγαπούσα", "αγάπησα", "αγαπήσαμε", "αγαπήσει",
                  "αγαπώντας", "αγαπιέμαι", "αγαπήθηκε", "αγαπημένος", "αγάπα"},
                 {"αγαπείς"}},
        Paradigm{"ξεχνάω", "v", {"ξέχασα", "ξεχάσει", "ξεχασμένος"}, {"ξέχνασα"}},
        Paradigm{
            "θεωρώ", "v", {"θεωρείς", "θεωρεί", "θεωρούσε", "θεώρησα", "θεωρείται"}, {"θεωράς"}},
        Paradigm{"σκέφτομαι", "v", {"σκέφτεσαι", "σκέφτηκα", "σκεφτείς", "σκέψου"}, {}},
        Paradigm{"κοιμάμαι", "v", {"κοιμάσαι", "κοιμόμαστε", "κοιμήθηκα", "κοιμηθεί"}, {}},
        Paradigm{"εξαρτώμαι", "v", {"εξαρτάται", "εξαρτώνται", "εξαρτήθηκε"}, {}},
        Paradigm{"παρκάρω", "v", {"παρκάρισα", "παρκαρίστηκε", "παρκαρισμένο"}, {"παρκάρθηκε"}},
        Paradigm{"προτείνω", "v", {"πρότεινα", "προτείναμε", "προτάθηκε"}, {"προτείθηκε"}},
        Paradigm{"ανέρχομαι", "v", {"ανέρχεται"}, {"ανέρχτηκε"}}),
    ParadigmName);

INSTANTIATE_TEST_SUITE_P(
    IrregularVerbs, GreekParadigmTest,
    ::testing::Values(
        Paradigm{"είμαι", "v", {"είσαι", "είναι", "ήμουν", "ήταν", "ήμασταν"}, {}},
        Paradigm{"έχω", "v", {"έχεις", "είχα", "είχαμε"}, {"έχα", "έσχα"}},
        Paradigm{"λέω",
                 "v",
                 {"λες", "λέει", "είπα", "είπαμε", "πω", "πεις", "πούμε", "πείτε", "έλεγα"},
                 {"λέεσαι", "πέτε"}},
        Paradigm{"πηγαίνω", "v", {"πήγα", "πήγαμε", "πάει", "πήγαινα"}, {}},
        Paradigm{"έρχομαι", "v", {"ήρθα", "ήρθαμε", "έρθει", "έλα", "ερχόταν"}, {}},
        Paradigm{"τρώω", "v", {"τρως", "έφαγα", "φάγαμε", "φάει", "έτρωγα"}, {}},
        Paradigm{"βλέπω", "v", {"είδα", "δω", "δούμε", "δείτε", "έβλεπα"}, {"δέτε"}},
        Paradigm{"πίνω", "v", {"ήπια", "ήπιαμε", "πιει"}, {"ηπίαμε"}},
        Paradigm{"βρίσκω", "v", {"βρήκα", "βρήκαμε", "βρει", "βρέθηκα"}, {}},
        Paradigm{"δίνω", "v", {"έδωσα", "δώσαμε", "δώσει", "δόθηκε"}, {}},
        Paradigm{"παίρνω", "v", {"πήρα", "πάρει", "πάρθηκε"}, {}},
        Paradigm{"ανεβαίνω", "v", {"ανέβηκα", "ανεβήκαμε", "ανέβει"}, {}},
        Paradigm{"ξέρω", "v", {"ήξερα", "ξέραμε"}, {"έξερα"}},
        Paradigm{"θέλω", "v", {"ήθελα", "θέλαμε", "θελήσει"}, {"έθελα"}},
        Paradigm{"μπορώ", "v", {"μπορείς", "μπόρεσα", "μπορέσει", "μπορούσα"}, {"μπόρησα"}},
        Paradigm{"καταλαβαίνω", "v", {"κατάλαβα", "καταλάβαμε", "καταλάβει"}, {}},
        Paradigm{"καίω", "v", {"έκαψα", "κάηκε", "καμένος"}, {}},
        Paradigm{"ζω", "v", {"ζεις", "έζησα", "ζήσει"}, {}},
        Paradigm{"κάθομαι", "v", {"κάθισα", "κάτσε", "καθόταν"}, {}}),
    ParadigmName);

// The learned past of compound verbs: the internal augment after the last prefix, the
// lengthened vowel of a root that begins with one, and the learned passive aorist.
INSTANTIATE_TEST_SUITE_P(
    LearnedCompounds, GreekParadigmTest,
    ::testing::Values(
        Paradigm{"αναφέρω",
                 "v",
                 {"ανέφερε", "ανέφεραν", "ανέφερα", "αναφέραμε", "αναφέρθηκε", "ανεφέρθη"},
                 {"αναφήρε", "ανάφηρε", "ανεφέραμε"}},
        Paradigm{"επισημαίνω", "v", {"επεσήμανε", "επεσήμαναν", "επισημάνθηκε"}, {"επέσημανε"}},
        Paradigm{"εκφράζω", "v", {"εξέφρασε", "εκφράστηκε", "εξέφραζε"}, {"εκέφρασε"}},
        Paradigm{"εγκρίνω", "v", {"ενέκρινε", "εγκρίθηκε", "ενεκρίθη", "εγκριθεί"}, {"εγέκρινε"}},
        Paradigm{"συλλαμβάνω",
                 "v",
                 {"συνέλαβε", "συνέλαβαν", "συνελήφθη", "συνελήφθησαν", "συλλήφθηκε", "συλληφθεί",
                  "συλλάβει"},
                 {"συλέλαβε", "συλλέλαβε"}},
        Paradigm{"επαναλαμβάνω", "v", {"επανέλαβε", "επαναλήφθηκε", "επαναληφθεί"}, {"επέναλαβε"}},
        Paradigm{"εγκαταλείπω", "v", {"εγκατέλειψε", "εγκαταλείφθηκε", "εγκατελείφθη"}, {}},
        Paradigm{"υποβάλλω",
                 "v",
                 {"υπέβαλε", "υπέβαλλε", "υποβλήθηκε", "υπεβλήθη", "υποβληθεί"},
                 {"υπόβαλα", "υπόβαλαν"}},
        Paradigm{"εισάγω",
                 "v",
                 {"εισήγαγε", "εισήχθη", "εισάχθηκε", "εισαχθεί", "εισηγμένος"},
                 {"εισάγαγε"}},
        Paradigm{"διεξάγω", "v", {"διεξήγαγε", "διεξήχθη", "διεξαχθεί"}, {}},
        Paradigm{
            "εισέρχομαι", "v", {"εισήλθε", "εισήλθαμε", "εισέλθει", "εισέρχεται"}, {"είσηλθε"}},
        Paradigm{"προέρχομαι", "v", {"προήλθε", "προέλθει"}, {"πρόηλθε"}},
        Paradigm{"παρέχω",
                 "v",
                 {"παρείχε", "παρείχαμε", "παρέσχε", "παράσχει", "παρέξει", "παρασχέθηκε"},
                 {"παρήχθη", "παρήχε"}},
        Paradigm{"συμβαίνω", "v", {"συνέβη", "συνέβησαν", "συνέβαινε", "συμβεί"}, {"σύνεβη"}},
        Paradigm{"υφίσταμαι", "v", {"υπέστη", "υποστεί", "υφίσταται", "υφίστανται"}, {"υφέστη"}},
        Paradigm{"αποκαθιστώ",
                 "v",
                 {"αποκατέστησε", "αποκαταστήσει", "αποκαταστάθηκε", "αποκατασταθεί", "αποκαθιστά"},
                 {"αποκαθέστησε"}},
        Paradigm{"συνιστώ", "v", {"συνέστησε", "συστήσει"}, {"συνστήσει"}},
        Paradigm{"αναστέλλω", "v", {"ανέστειλε", "ανεστάλη", "ανασταλεί", "αναστάλθηκε"}, {}},
        Paradigm{"επιστρέφω", "v", {"επέστρεψε", "επιστράφηκε", "επεστράφη", "επιστραφεί"}, {}},
        Paradigm{"εμπλέκω", "v", {"ενέπλεξε", "εμπλάκηκε", "ενεπλάκη", "εμπλακεί"}, {"εμπλέχτηκε"}},
        Paradigm{"αποκλείω", "v", {"απέκλεισε", "αποκλείστηκε", "αποκλειστεί"}, {}},
        Paradigm{"επισκέπτομαι",
                 "v",
                 {"επισκέφθηκε", "επισκέφτηκε", "επεσκέφθη", "επισκεφθεί", "επισκεφτεί"},
                 {"επισκέφθη"}},
        Paradigm{"υπάρχω", "v", {"υπήρχε", "υπήρχαν", "υπήρξε", "υπάρξει"}, {"ύπηρξε", "ύπαρχα"}},
        Paradigm{"εφαρμόζω", "v", {"εφήρμοσε", "εφάρμοσε", "εφαρμόστηκε"}, {"επήρμοσε"}},
        Paradigm{"καθορίζω", "v", {"καθώρισε", "καθόρισε"}, {"κατώρισε"}},
        Paradigm{"διευθύνω", "v", {"διηύθυνε"}, {}},
        Paradigm{"αφαιρώ", "v", {"αφαίρεσε", "αφήρεσε", "αφαιρέθηκε", "αφηρέθη"}, {"απήρεσε"}},
        Paradigm{"παραγγέλνω", "v", {"παρήγγειλε", "παράγγειλε"}, {"παρεγγέλνε"}},
        Paradigm{"απαγορεύω", "v", {"απαγόρευσε", "απηγόρευσε", "απαγορεύθηκε"}, {}},
        Paradigm{"προκαλώ", "v", {"προκάλεσε", "προεκάλεσε", "προκλήθηκε", "προκληθεί"}, {}},
        Paradigm{"παραδέχομαι", "v", {"παραδέχθηκε", "παρεδέχθη"}, {}},
        Paradigm{"αντικαθιστώ", "v", {"αντικατέστησε", "αντικαταστάθηκε"}, {}},
        Paradigm{"περιμένω", "v", {"περίμενε", "περιέμενε", "περιέμεναν"}, {}},
        Paradigm{"ανεβαίνω", "v", {"ανέβηκε", "ανέβαινε", "ανεβαίναμε"}, {"ανέβεινε"}},
        // The learned passive of simple verbs; a verb without prefixes gets no internal augment.
        Paradigm{"λαμβάνω", "v", {"ελήφθη", "ελήφθησαν", "λήφθηκε"}, {}},
        Paradigm{"δίνω", "v", {"εδόθη", "δόθηκε"}, {}},
        Paradigm{"κρίνω", "v", {"εκρίθη", "κρίθηκε"}, {"εκέκρινε"}},
        Paradigm{"διαβάζω", "v", {"διάβασε", "διαβάστηκε"}, {}}),
    ParadigmName);

INSTANTIATE_TEST_SUITE_P(
    Comparison, GreekParadigmTest,
    ::testing::Values(
        Paradigm{
            "σοβαρός",
            "adj",
            {"σοβαρότερος", "σοβαρότερη", "σοβαρότατος", "σοβαρότατες", "σοβαρότατα", "σοβαρώς"},
            {"σοβαρότερότατος", "σοβάρως"}},
        Paradigm{"παρόμοιος", "adj", {"παρομοίως", "παρομοιότερος"}, {"παρόμοιως"}},
        Paradigm{"ιδιαίτερος", "adj", {"ιδιαιτέρως"}, {"ιδιαιτερότερος"}},
        Paradigm{"ελεύθερος", "adj", {"ελευθέρως", "ελευθερότατος"}, {}},
        Paradigm{"βαθύς", "adj", {"βαθύτερος", "βαθύτατος", "βαθύτατη"}, {}},
        Paradigm{"ταχύς", "adj", {"ταχέως", "ταχύτατος", "ταχύτερα"}, {}},
        Paradigm{"σαφής", "adj", {"σαφέστερος", "σαφέστατος", "σαφέστατα", "σαφώς"}, {"σάφως"}},
        Paradigm{"συνήθης", "adj", {"συνηθέστερος", "συνηθέστερη", "συνήθως"}, {"συνηθώς"}},
        Paradigm{"ουσιώδης", "adj", {"ουσιωδώς", "ουσιωδέστερος"}, {"ουσιώδως"}},
        Paradigm{"καλός", "adj", {"καλύτερος", "άριστος", "άριστη", "καλώς"}, {"καλότατος"}},
        Paradigm{"κακός", "adj", {"χειρότερος", "χείριστος", "χείριστη"}, {}},
        Paradigm{"μεγάλος", "adj", {"μεγαλύτερος", "μέγιστος", "μέγιστη"}, {}},
        Paradigm{"πολύς", "adj", {"περισσότερος", "πλείστοι"}, {}},
        Paradigm{"λίγος", "adj", {"λιγότερος", "ελάχιστος", "ελάχιστα"}, {}},
        Paradigm{"ελαφρύς", "adj", {"ελαφρύτερος", "ελαφρώς"}, {}},
        Paradigm{"αργά", "adv", {"αργότερα", "αργότατα"}, {"αργύτερα"}},
        Paradigm{"βαθιά", "adv", {"βαθύτερα", "βαθύτατα"}, {"βαθιότερα"}},
        Paradigm{"ταχέως", "adv", {"ταχύτερα", "ταχύτατα"}, {}},
        Paradigm{"νωρίς", "adv", {"νωρίτερα", "νωρίτατα"}, {}},
        Paradigm{"καλά", "adv", {"καλύτερα", "άριστα"}, {"καλότερα"}}),
    ParadigmName);

INSTANTIATE_TEST_SUITE_P(
    LearnedNouns, GreekParadigmTest,
    ::testing::Values(Paradigm{"ισχύς", "n", {"ισχύος", "ισχύ"}, {"ισχιά"}},
                      Paradigm{"βεληνεκές", "n", {"βεληνεκούς", "βεληνεκή"}, {}},
                      Paradigm{"ίχνος", "n", {"ίχνους", "ίχνη", "ιχνών"}, {"ίχνου"}},
                      Paradigm{"καθεστώς", "n", {"καθεστώτος", "καθεστώτα", "καθεστώτων"}, {}},
                      Paradigm{"φως", "n", {"φωτός", "φώτα"}, {}},
                      Paradigm{"γεγονός", "n", {"γεγονότος", "γεγονότα"}, {"γεγονού"}},
                      Paradigm{"ποιότητα", "n", {"ποιότητος", "ποιοτήτων"}, {}},
                      Paradigm{"πατρίδα", "n", {"πατρίδος", "πατρίδας"}, {}},
                      Paradigm{"Ελλάδα", "pn", {"ελλάδος", "ελλάδας"}, {}},
                      Paradigm{"αγώνας", "n", {"αγώνος", "αγώνα"}, {}},
                      Paradigm{"συγγραφέας", "n", {"συγγραφέως"}, {}},
                      Paradigm{"φωνήεν", "n", {"φωνήεντος", "φωνήεντα"}, {}},
                      Paradigm{"απόφαση", "n", {"αποφάσεως"}, {}},
                      Paradigm{"παππούς", "n", {"παππούδες"}, {"παππούος"}}),
    ParadigmName);

TEST(GreekInflection, LearnedReadingsLeadBackToFormsAndNominatives) {
  const struct {
    const char* word;
    const char* reading;
  } cases[] = {
      {"ανέφερε", "αναφερε"},
      {"εξέφρασε", "εκφρασε"},
      {"συνέλαβε", "συλλαβε"},
      {"υπήρχε", "υπαρχε"},
      {"εφήρμοσε", "εφαρμοσε"},
      {"παρείχε", "παρεχε"},
      {"διηύθυνε", "διευθυνε"},
      {"επισκέφθηκε", "επισκεφτηκε"},
      {"συνελήφθη", "συλληφθηκε"},
      {"ανεστάλη", "ανασταληκε"},
      {"σοβαρότατες", "σοβαροτερες"},
      {"νεότερη", "νεος"},
      {"βαθύτατη", "βαθυς"},
      {"σαφέστερα", "σαφης"},
      {"παρομοίως", "παρομοιος"},
      {"ταχέως", "ταχυς"},
      {"ισχύος", "ισχυς"},
      {"βεληνεκούς", "βεληνεκες"},
      {"πόλεως", "πολη"},
      {"καθεστώτος", "καθεστως"},
      {"ποιότητος", "ποιοτητα"},
      {"ΑΝΈΦΕΡΕ", "αναφερε"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> readings;
    for (const std::string& r : GreekLearnedReadings(Utf8ToCp1253(c.word))) {
      readings.push_back(Cp1253ToUtf8(r));
    }
    EXPECT_TRUE(Has(readings, c.reading)) << c.word << " → " << c.reading;
    EXPECT_FALSE(Has(readings, Cp1253ToUtf8(CharLowerA(Utf8ToCp1253(c.word))))) << c.word;
  }
  // Not Greek, too long or empty: no reading, at once.
  for (const std::string& word :
       {std::string(), std::string("house"), std::string(20000, '\xE1'), std::string("\x01\xff")}) {
    EXPECT_TRUE(GreekLearnedReadings(word).empty());
  }
}

TEST(GreekInflection, ForwardsNoDuplicatesNorTheHeadwordAndLowersCapitals) {
  for (const auto& [word, tag] : std::vector<std::pair<std::string, std::string>>{
           {"γράφω", "v"}, {"άνθρωπος", "n"}, {"καλός", "adj"}, {"πόλη", "n"}}) {
    const std::vector<std::string> forms = Forms(word, tag.c_str());
    ASSERT_FALSE(forms.empty()) << word;
    EXPECT_EQ(std::set<std::string>(forms.begin(), forms.end()).size(), forms.size()) << word;
    EXPECT_FALSE(Has(forms, word)) << word;
    for (const std::string& f : forms) {
      // The final sigma at the end and only there.
      const size_t final_sigma = f.find("ς");
      EXPECT_TRUE(final_sigma == std::string::npos || final_sigma + 2 == f.size()) << f;
      EXPECT_FALSE(f.size() >= 2 && f.compare(f.size() - 2, 2, "σ") == 0) << f;
    }
  }
  EXPECT_TRUE(Has(Forms("Άνθρωπος", "n"), "ανθρώπου"));
  // Windows-1253 in and out.
  const std::vector<std::string> cp =
      GreekInflectedForms(Utf8ToCp1253("σπίτι"), GreekPartOfSpeech::kNoun);
  EXPECT_TRUE(std::find(cp.begin(), cp.end(), Utf8ToCp1253("σπιτιού")) != cp.end());
}

TEST(GreekInflection, GuessesThePartOfSpeechFromTheEnding) {
  EXPECT_TRUE(Has(Forms("γράφω", ""), "έγραψα"));
  EXPECT_TRUE(Has(Forms("σαφής", ""), "σαφέστερος"));  // learned -ής: an adjective
  EXPECT_TRUE(Has(Forms("μαθητής", ""), "μαθητές"));   // but the nouns of agents
  EXPECT_FALSE(Has(Forms("μαθητής", ""), "μαθητέστερος"));
  EXPECT_TRUE(Has(Forms("θάλασσα", "x"), "θαλασσών"));
  EXPECT_TRUE(Has(Forms("ελληνικός", ""), "ελληνική"));
  EXPECT_EQ(GreekPartOfSpeechFromTag("pn"), GreekPartOfSpeech::kProperNoun);
  EXPECT_EQ(GreekPartOfSpeechFromTag("adv"), GreekPartOfSpeech::kAdverb);
  EXPECT_EQ(GreekPartOfSpeechFromTag("N"), GreekPartOfSpeech::kUnknown);
}

TEST(GreekInflection, UnknownWordsAndBadInputGiveNothing) {
  for (const char* word :
       {"", "καλή μέρα", "μπλε-γκρι", "house", "καλώς", "ΓΡΑΦΩ", "α", "\xff\xfe", "τάξη2"}) {
    EXPECT_TRUE(Forms(word, "adv").empty()) << word;
  }
  EXPECT_TRUE(Forms("καλή μέρα", "n").empty());
  EXPECT_TRUE(Forms("house", "n").empty());
  EXPECT_TRUE(Forms("τάξη2", "n").empty());
  EXPECT_TRUE(Forms("μπλε", "adj").empty());   // indeclinable
  const std::string long_word(20000, '\xE1');  // α repeated, Windows-1253
  EXPECT_TRUE(GreekInflectedForms(long_word, GreekPartOfSpeech::kNoun).empty());
  std::string junk;
  for (int i = 0; i < 256; ++i) junk.push_back(static_cast<char>(i));
  EXPECT_TRUE(GreekInflectedForms(junk, GreekPartOfSpeech::kVerb).empty());
}

// Pairs written by hand from knowledge of Greek (tests/data): the share whose form the
// generator produces from the headword. The rest of each list is left to the base forms'
// readings (word_forms_bundled_test).
struct HandList {
  const char* file;
  double share;  // the least share covered
};

class GreekHandListTest : public ::testing::TestWithParam<HandList> {};

TEST_P(GreekHandListTest, CoversTheHandWrittenListOfForms) {
  const HandList& list = GetParam();
  std::ifstream in(std::string(ZELVORAN_SOURCE_DIR) + "/tests/data/" + list.file);
  ASSERT_TRUE(in) << list.file;
  std::string line;
  int total = 0;
  int found = 0;
  std::string misses;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t a = line.find('\t');
    const size_t b = line.find('\t', a + 1);
    ASSERT_NE(b, std::string::npos) << line;
    const std::string form = Cp1253ToUtf8(CharLowerA(Utf8ToCp1253(line.substr(0, a))));
    const std::string headword = line.substr(a + 1, b - a - 1);
    const std::string tag = line.substr(b + 1);
    ++total;
    if (Has(Forms(headword, tag.c_str()), form)) {
      ++found;
    } else {
      misses += "  " + form + " ← " + headword + " (" + tag + ")\n";
    }
  }
  ASSERT_GT(total, 50);
  const double share = 100.0 * found / total;
  std::printf("%s: %d of %d generated (%.1f%%)\n%s", list.file, found, total, share,
              misses.c_str());
  EXPECT_GE(share, list.share);
}

INSTANTIATE_TEST_SUITE_P(Lists, GreekHandListTest,
                         ::testing::Values(HandList{"greek_forms.tsv", 99.5},
                                           HandList{"greek_compound_verbs.tsv", 97.0},
                                           HandList{"greek_comparison.tsv", 95.0},
                                           HandList{"greek_learned_nouns.tsv", 97.0}),
                         [](const ::testing::TestParamInfo<HandList>& param_info) {
                           // The list's file name without ".tsv".
                           const std::string file = param_info.param.file;
                           return testing::TestNameOf(file.substr(0, file.find('.')));
                         });

}  // namespace
}  // namespace zelvoran
