// The window registry: the one instance of every window of the program, in the
// order they are created. Every window but the main one is created with the
// main window as its parent, so all live until the main window is destroyed.
// Every window but the main one, whose caption holds the user's project and
// customer, is kept at least as wide as its title (title_wide_boxes.h), and
// every window of the program within its screen (screen_fit.h). While the
// 3-D view, which stays on top, is shown, every other window opens in front of
// it (modal_windows_in_front.h).
#pragma once

class TMain;
class TFdati;
class TForm2;
class TF3d;
class TFclienti;
class TFpreferenze;
class TFcopia_cella;
class TFripiani;
class TFstampa;
class TFapri;
class TFpreventivo;
class TFforza;
class TFprezzi;
class TFmodulo_aggiunto;
class TFmail;
class TFlingua;
class TFattendere;
class TFordinamento;
class TFAbout;
class TPasswordDlg;
class TFormTxt;
class TFcorvane;
class TFSelezioneKitCV;

// Each window's one instance, with what it is for; null before
// create_windows() and after destroy_windows().
extern TMain* Main;                          // the main window: cell tabs, menus, tool bar, side panel, plan
extern TFdati* Fdati;                        // the catalogue data editor
extern TForm2* Form2;                        // door insertion into a wall
extern TF3d* F3d;                            // the 3-D view, the one window shown modelessly
extern TFclienti* Fclienti;                  // the customer register
extern TFpreferenze* Fpreferenze;            // preferences
extern TFcopia_cella* Fcopia_cella;          // a new or copied cell
extern TFripiani* Fripiani;                  // the shelves of the selected modules
extern TFstampa* Fstampa;                    // print preview, printing and PDF
extern TFapri* Fapri;                        // the project archive: search, open, delete, duplicate
extern TFpreventivo* Fpreventivo;            // the quote header
extern TFforza* Fforza;                      // the forced module lengths of a wall
extern TFprezzi* Fprezzi;                    // the price and code table
extern TFmodulo_aggiunto* Fmodulo_aggiunto;  // the added (free-standing) module
extern TFmail* Fmail;                        // mail with the quote or the project attached
extern TFlingua* Flingua;                    // the language choice
extern TFattendere* Fattendere;              // the wait box shown over long work
extern TFordinamento* Fordinamento;          // the order of the cells
extern TFAbout* FAbout;                      // the about box
extern TPasswordDlg* PasswordDlg;            // the service password of the preferences
extern TFormTxt* FormTxt;                    // the text window of the customers' export and import
extern TFcorvane* Fcorvane;                  // compact-shelving placement
extern TFSelezioneKitCV* FSelezioneKitCV;    // compact-shelving kit choice

// Creates the 23 windows in order (the main window first) and installs the
// window seam of the model on them.
void create_windows();
// Destroys every window and restores the headless seam.
void destroy_windows();

// Puts the texts of the loaded language on every window that is translated,
// in creation order, and Qt's own texts in that language (qt_translations.h).
void apply_language();
