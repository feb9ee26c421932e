// The pieces of the eleven control types, one file each.
#pragma once

#include "piece.h"

namespace vornak::qt {

const Piece& labelPiece();
const Piece& commandButtonPiece();
const Piece& optionButtonPiece();
const Piece& checkBoxPiece();
const Piece& framePiece();
const Piece& textBoxPiece();
const Piece& imagePiece();
const Piece& linePiece();
const Piece& driveListPiece();
const Piece& folderListPiece();
const Piece& fileListPiece();

}  // namespace vornak::qt
