// The main window: the application chooser and the three buttons that lead
// to the rest of the program.
#include "app/controls/drivelist.h"
#include "app/controls/filelist.h"
#include "app/controls/folderlist.h"
#include "app/controls/label.h"
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

void Form_Load(Form& me)
{
    me.get<Label>("Label1").setCaption("Path: " + me.get<FolderList>("Dir1").path());
}

void Drive1_Change(Form& me)
{
    me.get<FolderList>("Dir1").setPath(me.get<DriveList>("Drive1").drive());
}

void Dir1_Change(Form& me)
{
    me.get<FileList>("File1").setPath(me.get<FolderList>("Dir1").path());
}

void File1_PathChange(Form& me)
{
    // The path line follows the folder list, not the file list.
    me.get<Label>("Label1").setCaption("Path: " + me.get<FolderList>("Dir1").path());
}

void Command1_Click(Form& me)
{
    me.shell().show("frmSETUP");
}

void Command2_Click(Form& me)
{
    me.shell().show("frmABOUT");
}

void Command3_Click(Form& me)
{
    me.shell().setHourglass();
    // The driver error pauses and restores the cursor as it loads. Once it
    // is loaded it is only shown again, so every later run pauses here.
    if (me.shell().state("frmRUN") != WindowState::Absent) {
        me.shell().busyPause();
        me.shell().restoreCursor();
    }
    me.shell().show("frmRUN");
}

}  // namespace

const FormClass& frmMAIN()
{
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = T::FileList, .name = "File1", .left = 2760, .top = 2160, .width = 2055, .height = 1845, .tabIndex = 5, .pattern = "*.EXE"},
        {.type = T::FolderList, .name = "Dir1", .left = 240, .top = 2160, .width = 2295, .height = 2340, .tabIndex = 3},
        {.type = T::DriveList, .name = "Drive1", .left = 240, .top = 1680, .width = 2295, .height = 315, .tabIndex = 4},
        {.type = T::CommandButton, .name = "Command3", .caption = "Run EXE", .left = 3480, .top = 4800, .width = 1215, .height = 375, .tabIndex = 2},
        {.type = T::CommandButton, .name = "Command2", .caption = "About", .left = 1920, .top = 4800, .width = 1215, .height = 375, .tabIndex = 1},
        {.type = T::CommandButton, .name = "Command1", .caption = "Setup", .left = 360, .top = 4800, .width = 1215, .height = 375, .tabIndex = 0},
        {.type = T::Label, .name = "Label1", .left = 2760, .top = 4080, .width = 2055, .height = 375, .tabIndex = 9},
        {.type = T::Label, .name = "Label3", .caption = "EMULATOR v 0.7e", .left = 360, .top = 960, .width = 1635, .height = 255, .tabIndex = 8},
        {.type = T::Line, .name = "Line1", .left = 240, .top = 1440, .width = 4800, .height = 1440},
        {.type = T::Label, .name = "Label2", .caption = "Disclaimer: The use of this program is at your own risk. This program is harmless but may crash Windows 95", .left = 3240, .top = 240, .width = 1695, .height = 1095, .tabIndex = 7},
        {.type = T::Label, .name = "Label5", .caption = "Choose the application for Emulation:", .left = 2760, .top = 1680, .width = 2055, .height = 375, .tabIndex = 6},
        {.type = T::Image, .name = "Image2", .left = 1680, .top = 120, .width = 1455, .height = 975, .picture = "starburst"},
        {.type = T::Image, .name = "Image1", .left = 120, .top = 240, .width = 1500, .height = 645, .picture = "model"},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmMAIN",
            .caption = "Brelvox",
            .width = 5070,
            .height = 5415,
            .icon = Icon::Bolt,
            .position = StartPosition::CentreScreen,
            .showInTaskbar = true,
            .controls = controls,
        },
        {
            {{}, Event::Load, Form_Load},
            {"Drive1", Event::Change, Drive1_Change},
            {"Dir1", Event::Change, Dir1_Change},
            {"File1", Event::PathChange, File1_PathChange},
            {"Command1", Event::Click, Command1_Click},
            {"Command2", Event::Click, Command2_Click},
            {"Command3", Event::Click, Command3_Click},
        },
    };
    return cls;
}

}  // namespace vornak::forms
