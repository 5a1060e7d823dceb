// SPDX-License-Identifier: GPL-3.0-or-later
#include "advise/Advise.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "advise/Designer.h"

namespace velmora::advise {

namespace {

// The progress callback hears of the sweep every this many candidates: often
// enough for a progress bar, rarely enough to cost nothing.
constexpr std::size_t kProgressEvery = 256;

// The selected materials and cores of a query.
std::vector<const MaterialRecord*> MaterialsOf(const AdviseQuery& query, const AdviseData& data) {
  std::vector<const MaterialRecord*> list;
  for (const MaterialRecord& m : data.materials)
    if (query.material.empty() || m.name == query.material) list.push_back(&m);
  return list;
}

// A core is designed only in a kind of material it is sold in.
bool SoldIn(const CoreEntry& core, const MaterialRecord& material) {
  return material.hasRollOff() ? core.sold.powder : core.sold.ferrite;
}

std::vector<const CoreEntry*> CoresOf(const AdviseQuery& query, const AdviseData& data) {
  std::vector<const CoreEntry*> list;
  for (const CoreEntry& c : data.cores)
    if (query.shape < 0 || c.shape == query.shape) list.push_back(&c);
  return list;
}

double KeyOf(const Candidate& c, SortKey key) {
  switch (key) {
    case SortKey::TotalLoss:
      return c.totalLoss;
    case SortKey::Temperature:
      return c.temperatureRise;
    case SortKey::Turns:
      return c.turns;
    case SortKey::Volume:
    default:
      return c.volume;
  }
}

// a before b, a value that is not a number after every number; 0 when equal.
int CompareValues(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? 1 : -1);
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The sweep's records ranked and marked.
void Finish(std::vector<Candidate>& candidates, SortKey key) {
  MarkPareto(candidates);
  Rank(candidates, key);
}

}  // namespace

std::string ReasonText(unsigned reasons) {
  static constexpr std::pair<unsigned, const char*> kTexts[] = {
      {kFrequencyAboveTable, "frequency above the loss table"},
      {kRippleStop, "ripple above twice the nominal current"},
      {kOverfilled, "fill factor above 0.4"},
      {kFluxAbovePermitted, "peak flux density above the permitted one"},
      {kNotFinite, "figures not finite"},
      {kSpreadAbovePermitted, "peak flux density above the permitted one across the AL tolerance"},
      {kRiseAboveLimit, "temperature rise above the limit"},
      {kThermalRunaway, "thermal runaway"},
      {kLossTableUnusable, "loss table unusable (a frequency, flux density or loss that is no usable number)"},
      {kSaturation, "peak flux density at the saturation current above the saturation limit"},
      {kBelowInductance, "inductance below the required one at the low end of the AL tolerance"},
      {kGapBelowMinimum, "gap below the minimum gap"},
      {kRingGapped, "a ring with a gap"},
      {kNotChecked, "not fully checked"},
      {kGapPastSearch, "required gap above 3 mm"},
      {kRollsOff, "inductance at the nominal current rolls off faster than turns add"},
  };
  std::string text;
  for (const auto& [bit, words] : kTexts) {
    if (!(reasons & bit)) continue;
    if (!text.empty()) text += "; ";
    text += words;
  }
  return text;
}

void Rank(std::vector<Candidate>& candidates, SortKey key) {
  // The places are sorted, not the records: a record is large, and a sweep
  // of a large database holds a hundred thousand of them.
  std::vector<std::size_t> order(candidates.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&candidates, key](std::size_t i, std::size_t j) {
    const Candidate& a = candidates[i];
    const Candidate& b = candidates[j];
    if (a.feasible() != b.feasible()) return a.feasible();
    if (int c = CompareValues(KeyOf(a, key), KeyOf(b, key))) return c < 0;
    if (int c = CompareValues(a.totalLoss, b.totalLoss)) return c < 0;
    return std::tie(a.core, a.material) < std::tie(b.core, b.material);
  });
  // Each record moved once into its place, cycle by cycle (order[k] is the
  // record that belongs at k).
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    Candidate held = std::move(candidates[start]);
    std::size_t k = start;
    while (order[k] != start) {
      const std::size_t from = order[k];
      candidates[k] = std::move(candidates[from]);
      order[k] = k;
      k = from;
    }
    candidates[k] = std::move(held);
    order[k] = k;
  }
}

void MarkPareto(std::vector<Candidate>& candidates) {
  std::vector<Candidate*> feasible;
  for (Candidate& c : candidates) {
    c.pareto = false;
    if (c.feasible() && !std::isnan(c.volume) && !std::isnan(c.totalLoss)) feasible.push_back(&c);
  }
  std::sort(feasible.begin(), feasible.end(), [](const Candidate* a, const Candidate* b) {
    return std::tie(a->volume, a->totalLoss) < std::tie(b->volume, b->totalLoss);
  });
  // A design is dominated by a smaller one with no more loss, or by one of
  // its own volume with less loss: on the front are the least loss of each
  // volume that is below the least loss of every smaller volume.
  double bestSmaller = HUGE_VAL;
  for (std::size_t i = 0; i < feasible.size();) {
    std::size_t end = i;
    while (end < feasible.size() && feasible[end]->volume == feasible[i]->volume) ++end;
    const double least = feasible[i]->totalLoss;
    for (std::size_t j = i; j < end && feasible[j]->totalLoss == least; ++j) feasible[j]->pareto = least < bestSmaller;
    bestSmaller = std::min(bestSmaller, least);
    i = end;
  }
}

std::size_t CandidateCount(const AdviseQuery& query, const AdviseData& data) {
  std::size_t count = 0;
  for (const MaterialRecord* material : MaterialsOf(query, data))
    for (const CoreEntry* core : CoresOf(query, data)) count += SoldIn(*core, *material);
  return count;
}

std::vector<Candidate> Sweep(const AdviseQuery& query, const AdviseData& data, const Progress& progress) {
  const std::vector<const CoreEntry*> cores = CoresOf(query, data);
  const std::vector<const MaterialRecord*> materials = MaterialsOf(query, data);
  const std::size_t total = CandidateCount(query, data);
  std::vector<Candidate> candidates;
  candidates.reserve(total);
  Designer designer(query, data);
  for (const MaterialRecord* source : materials) {
    MaterialRecord material = *source;  // the run may write into its record
    for (const CoreEntry* core : cores) {
      if (!SoldIn(*core, *source)) continue;
      candidates.push_back(designer.Design(*core, material));
      candidates.back().coreIndex = static_cast<std::size_t>(core - data.cores.data());
      candidates.back().materialIndex = static_cast<std::size_t>(source - data.materials.data());
      if (progress && candidates.size() % kProgressEvery == 0 && !progress(candidates.size(), total)) {
        Finish(candidates, query.sort);
        return candidates;
      }
    }
  }
  if (progress) progress(candidates.size(), total);
  Finish(candidates, query.sort);
  return candidates;
}

}  // namespace velmora::advise
