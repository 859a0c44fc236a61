// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FolderListModel.h"

#include <QStringList>

// Sorting of the advanced list by one of its columns.
//
// Name and type compare their texts ignoring ASCII letter case; size compares byte counts;
// modified compares the times (equal when less than a millisecond apart); approximate
// dimensions compare the areas width x height parsed from "WxH". Where a number or time is not
// known (a dimension text that is still empty), the texts compared ignoring ASCII letter case
// decide. Descending order swaps the two rows before comparing.

// Ordinal comparison that folds only the letters A to Z: negative, zero or positive.
int CompareTextAsciiNoCase(const QString& a, const QString& b);

// Compares the rows of `nameA` and `nameB` by `column` (FolderListModel::Column).
int CompareListRows(const FolderListModel& rows, const QString& nameA, const QString& nameB,
                    int column);

// The names of `rows` in their new order (a stable sort of the current row order).
QStringList SortedListOrder(const FolderListModel& rows, int column, bool ascending);
