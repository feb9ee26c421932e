// The control types, each declared once, here. This one list makes the
// enumeration ControlType (design.h), each type's description (kindOf,
// controlkind.h), the core's factory of controls (control.cpp, each type's
// class under controls/) and each front end's table of pieces, so that a
// front end without a piece for a type fails to build.
//
//   X(Type, what it is...)   what it is: the fields of ControlKind that
//                            differ from their defaults (controlkind.h)
#pragma once

// clang-format off
#define VORNAK_CONTROL_TYPES(X)                                                                   \
    X(Label,         .drawnOnWindow = true, .namesTheFieldAfterIt = true)                         \
    X(CommandButton, .takesFocus = true, .events = kClickEvent)                                   \
    X(OptionButton,  .takesFocus = true, .events = kClickEvent, .groupedInContainer = true)       \
    X(CheckBox,      .takesFocus = true, .events = kClickEvent)                                   \
    X(Frame)                                                                                      \
    X(TextBox,       .takesFocus = true, .events = kChangeEvent, .namedByLabel = true,            \
                     .backColour = kWindowBackground, .foreColour = kWindowText)                  \
    X(Image,         .drawnOnWindow = true, .hasTabIndex = false)                                 \
    X(Line,          .drawnOnWindow = true, .hasTabIndex = false, .twoPoints = true,              \
                     .foreColour = kWindowText)                                                   \
    X(DriveList,     .takesFocus = true, .events = kChangeEvent,                                  \
                     .backColour = kWindowBackground, .foreColour = kWindowText)                  \
    X(FolderList,    .takesFocus = true, .events = kChangeEvent,                                  \
                     .backColour = kWindowBackground, .foreColour = kWindowText)                  \
    X(FileList,      .takesFocus = true, .events = kClickEvent | kPathChangeEvent,                \
                     .backColour = kWindowBackground, .foreColour = kWindowText)
// clang-format on

// What a front end makes from the list: one piece function a type
// (pieceLabel(), ...), each defined in its piece's own file by
// VORNAK_PIECE, and the table of them in the order of ControlType, so that
// a front end without a piece for a type fails to build. The front end's
// own class Piece names them.
#define VORNAK_PIECE_FUNCTION(type, ...) const Piece& piece##type();
#define VORNAK_DECLARE_PIECES VORNAK_CONTROL_TYPES(VORNAK_PIECE_FUNCTION)
#define VORNAK_PIECE_ENTRY(type, ...) &piece##type(),
#define VORNAK_PIECE_TABLE                       \
    {                                            \
        VORNAK_CONTROL_TYPES(VORNAK_PIECE_ENTRY) \
    }
#define VORNAK_PIECE(type, Class) \
    const Piece& piece##type()    \
    {                             \
        static const Class piece; \
        return piece;             \
    }
