// Raising one cube against the OFF sets: toward the cubes it can swallow, then input by input.
#include "engine/wide/WideMinimizer.h"

void TWideMinimizer::ExpandCube(TWideCubes& cover, size_t i) {
    uint64_t* x = cover[i];
    if (OutputsFirst) {
        RaiseOutputs(x);
    }
    std::vector<size_t> rowStart;
    const std::vector<uint64_t> conflicts = Blocking(x, rowStart);
    const int outWords = WideOutputWords(FOutputs);
    std::vector<uint64_t> outputs(x + FIn, x + FIn + outWords);
    std::vector<uint64_t> raised(static_cast<size_t>(FIn), 0);
    // Inputs that alone keep x from some OFF cube stay; cubes needing them are out of reach.
    std::vector<uint64_t> pinned(static_cast<size_t>(FIn), 0);
    EveryRow(rowStart, outputs.data(), [&](size_t r) {
        const uint64_t* row = &conflicts[r * static_cast<size_t>(FIn)];
        int count = 0;
        for (int w = 0; w < FIn; ++w) {
            count += __builtin_popcountll(row[w]);
        }
        if (count == 1) {
            for (int w = 0; w < FIn; ++w) {
                pinned[static_cast<size_t>(w)] |= row[w];
            }
        }
        return true;
    });
    // Toward the nearest cubes first: each one swallowed is a term less.
    std::vector<std::pair<int, size_t>> near;
    std::vector<uint64_t> need(static_cast<size_t>(FIn));
    for (size_t k = 0; k < cover.Size(); ++k) {
        if (k == i) {
            continue;
        }
        int distance = 0;
        bool reachable = true;
        for (int w = 0; w < FIn && reachable; ++w) {
            const uint64_t outside = cover[k][w] & ~x[w];
            const uint64_t fields = (outside | (outside >> 1)) & FieldLo;
            reachable = (fields & pinned[static_cast<size_t>(w)]) == 0;
            distance += __builtin_popcountll(fields);
        }
        if (reachable) {
            // Those within x's outputs first: widening the outputs narrows what the inputs may do.
            const int widen = OutputsWithin(cover[k], x) ? 0 : FFunction.Inputs + 1;
            near.emplace_back(widen + distance, k);
        }
    }
    SortByFirst(near);
    if (Wander) {
        near.clear();
    }
    std::vector<uint64_t> trial(static_cast<size_t>(FIn));
    std::vector<uint64_t> trialOutputs(static_cast<size_t>(outWords));
    for (const auto& [distance, k] : near) {
        for (int w = 0; w < FIn; ++w) {
            const uint64_t outside = cover[k][w] & ~x[w];
            trial[static_cast<size_t>(w)] =
                raised[static_cast<size_t>(w)] | ((outside | (outside >> 1)) & FieldLo);
        }
        for (int w = 0; w < outWords; ++w) {
            trialOutputs[static_cast<size_t>(w)] =
                outputs[static_cast<size_t>(w)] | cover[k][FIn + w];
        }
        if (Feasible(conflicts, rowStart, trial, trialOutputs.data())) {
            raised = trial;
            outputs = trialOutputs;
        }
    }
    // Then input by input, those that keep x from the fewest OFF cubes first.
    std::vector<std::pair<int, int>> order;
    for (int input = 0; input < FFunction.Inputs; ++input) {
        const uint64_t bit = uint64_t{1} << (2 * (input % 32));
        const size_t w = static_cast<size_t>(input / 32);
        if (Field(x, input) == 3 || (raised[w] & bit) != 0 || (pinned[w] & bit) != 0) {
            continue;
        }
        int count = 0;
        EveryRow(rowStart, outputs.data(), [&](size_t r) {
            count += (conflicts[r * static_cast<size_t>(FIn) + w] & bit) != 0 ? 1 : 0;
            return true;
        });
        order.emplace_back(count, input);
    }
    SortByFirst(order);
    // Outputs too, as items -1 - j, among the inputs in a random order.
    for (int j = 0; j < FOutputs && Wander; ++j) {
        if (!HasOutput(outputs.data(), 0, j)) {
            order.emplace_back(0, -1 - j);
        }
    }
    if (Wander) {
        std::shuffle(order.begin(), order.end(), FRandom);
    }
    for (const auto& [count, input] : order) {
        if (input < 0) {
            trialOutputs = outputs;
            trialOutputs[static_cast<size_t>((-1 - input) / 64)] |= uint64_t{1}
                                                                    << ((-1 - input) % 64);
            if (Feasible(conflicts, rowStart, raised, trialOutputs.data())) {
                outputs = trialOutputs;
            }
            continue;
        }
        trial = raised;
        trial[static_cast<size_t>(input / 32)] |= uint64_t{1} << (2 * (input % 32));
        if (Feasible(conflicts, rowStart, trial, outputs.data())) {
            raised = trial;
        }
    }
    std::copy(outputs.begin(), outputs.end(), x + FIn);
    for (int w = 0; w < FIn; ++w) {
        x[w] |= raised[static_cast<size_t>(w)] | (raised[static_cast<size_t>(w)] << 1);
    }
    RaiseOutputs(x);
}

void TWideMinimizer::RaiseOutputs(uint64_t* x) const {
    for (int j = 0; j < FOutputs; ++j) {
        const TWideCubes& off = FOff[static_cast<size_t>(j)];
        bool apart = true;
        for (size_t r = 0; r < off.Size() && apart; ++r) {
            apart = !InputsMeet(x, off[r], FIn);
        }
        if (apart) {
            x[FIn + j / 64] |= uint64_t{1} << (j % 64);
        }
    }
}
