#pragma once

#include "cardholders/CredentialKind.h"

#include <QString>

// What the block and individual views, and their dialogs, show differently
// for cards and for transmitters. Numbers in the texts are %1, %2, ...
struct CredentialViewTexts
{
    // The all-credentials list.
    QString allFrame;
    QString numberColumn;
    QString showAll;

    // The block view and its dialog.
    QString blockFrame;
    QString addBlock;
    QString deleteBlock;
    QString maxBlocks;
    QString blockDeleteRefused[3];
    QString blockDeleteQuestion;
    QString blockDialogCaption;
    QString blockNameLabel;
    QString blockStartLabel;
    QString blockEndLabel;
    QString rangeTooLarge;
    QString remainingNumbers;
    QString overlapsIndividual;

    // The individual view and its dialog.
    QString individualFrame;
    QString addIndividual;
    QString deleteIndividual;
    QString individualColumns[2];
    QString maxIndividualsInView;
    QString selectIndividual;
    QString individualDeleteQuestion;
    QString individualDeleteRefused[3];
    QString individualDialogCaption;
    QString individualNumberLabel;
    QString insideBlock;
    QString enterDifferent;
    QString maxIndividualsInDialog;
    QString individualExists;
};

const CredentialViewTexts& ViewTextsOf(CredentialKind kind);
