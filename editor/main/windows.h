// The window registry: the one instance of every window of the program, in the
// order they are created. Every window but the main one is created with the
// main window as its parent, so all live until the main window is destroyed.
// Every window but the main one, whose caption holds the user's project and
// customer, is kept at least as wide as its title (title_wide_boxes.h), and
// every window of the program within its screen (screen_fit.h).
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

extern TMain* Main;
extern TFdati* Fdati;
extern TForm2* Form2;
extern TF3d* F3d;
extern TFclienti* Fclienti;
extern TFpreferenze* Fpreferenze;
extern TFcopia_cella* Fcopia_cella;
extern TFripiani* Fripiani;
extern TFstampa* Fstampa;
extern TFapri* Fapri;
extern TFpreventivo* Fpreventivo;
extern TFforza* Fforza;
extern TFprezzi* Fprezzi;
extern TFmodulo_aggiunto* Fmodulo_aggiunto;
extern TFmail* Fmail;
extern TFlingua* Flingua;
extern TFattendere* Fattendere;
extern TFordinamento* Fordinamento;
extern TFAbout* FAbout;
extern TPasswordDlg* PasswordDlg;
extern TFormTxt* FormTxt;
extern TFcorvane* Fcorvane;
extern TFSelezioneKitCV* FSelezioneKitCV;

// Creates the 23 windows in order (the main window first) and installs the
// window seam of the model on them.
void create_windows();
// Destroys every window and restores the headless seam.
void destroy_windows();

// Puts the texts of the loaded language on every window that is translated,
// in creation order, and Qt's own texts in that language (qt_translations.h).
void apply_language();
