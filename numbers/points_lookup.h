#pragma once

#include "training/points_offer.h"

class RecordsTable;

// The records table's answer for the points record of one pair of times, in
// seconds: no key when the times do not fit one, else what is stored under it.
PointsOffer LookUpPoints(RecordsTable& table, int code, double memoSeconds, double recallSeconds);
