// The portable SHA-2 compression that SHA-256 and SHA-512 (and SHA-384) share
// (FIPS 180): the same rounds over 32- or 64-bit words, differing only in the
// word size, the rotation amounts, the round constants and the round count.
#pragma once

#include "hash/DigestBlocks.h"

namespace ad::digest::sha2 {

template <class Word>
inline Word Ror(Word x, int n) {
    return (x >> n) | (x << (static_cast<int>(sizeof(Word)) * 8 - n));
}

// Params: Word, kRounds, K (round constants), Load (big-endian word), and the
// rotation/shift amounts of the schedule (s0*, s1*) and of the rounds (S0*, S1*).
template <class Params>
struct Compress {
    using W = typename Params::Word;

    static W Schedule(W* w, int i) {
        const W w15 = w[(i + 1) & 15], w2 = w[(i + 14) & 15];
        const W s0 = Ror(w15, Params::s0a) ^ Ror(w15, Params::s0b) ^ (w15 >> Params::s0c);
        const W s1 = Ror(w2, Params::s1a) ^ Ror(w2, Params::s1b) ^ (w2 >> Params::s1c);
        const W v = w[i & 15] + s0 + w[(i + 9) & 15] + s1;
        w[i & 15] = v;
        return v;
    }

    // One round; the caller rotates the roles of the eight words.
    template <bool Extend>
    static void Round(W a, W b, W c, W& d, W e, W f, W g, W& h, W* w, int i, int j) {
        const W x = Extend ? Schedule(w, j) : w[j];
        const W t1 = h + (Ror(e, Params::S1a) ^ Ror(e, Params::S1b) ^ Ror(e, Params::S1c)) + (g ^ (e & (f ^ g))) +
                     Params::K[i + j] + x;
        const W t2 = (Ror(a, Params::S0a) ^ Ror(a, Params::S0b) ^ Ror(a, Params::S0c)) + ((a & b) | (c & (a | b)));
        d += t1;
        h = t1 + t2;
    }

    // Sixteen rounds from round i (a multiple of 16); the roles of the eight
    // words rotate by one per round.
    template <bool Extend>
    static void Rounds16(W& a, W& b, W& c, W& d, W& e, W& f, W& g, W& h, W* w, int i) {
#pragma GCC unroll 2
        for (int k = 0; k < 16; k += 8) {
            Round<Extend>(a, b, c, d, e, f, g, h, w, i, k);
            Round<Extend>(h, a, b, c, d, e, f, g, w, i, k + 1);
            Round<Extend>(g, h, a, b, c, d, e, f, w, i, k + 2);
            Round<Extend>(f, g, h, a, b, c, d, e, w, i, k + 3);
            Round<Extend>(e, f, g, h, a, b, c, d, w, i, k + 4);
            Round<Extend>(d, e, f, g, h, a, b, c, w, i, k + 5);
            Round<Extend>(c, d, e, f, g, h, a, b, w, i, k + 6);
            Round<Extend>(b, c, d, e, f, g, h, a, w, i, k + 7);
        }
    }

    static void Blocks(W state[8], const uint8_t* data, size_t blocks) {
        for (; blocks != 0; --blocks, data += 16 * sizeof(W)) {
            W w[16];
            for (int i = 0; i < 16; ++i) w[i] = Params::Load(data + sizeof(W) * i);
            W a = state[0], b = state[1], c = state[2], d = state[3];
            W e = state[4], f = state[5], g = state[6], h = state[7];
            // Rounds 0..15 take the message words as they are; the later ones
            // extend the schedule in place. Sixteen rounds per iteration keep
            // every window index a constant.
            Rounds16<false>(a, b, c, d, e, f, g, h, w, 0);
            for (int i = 16; i < Params::kRounds; i += 16) Rounds16<true>(a, b, c, d, e, f, g, h, w, i);
            state[0] += a;
            state[1] += b;
            state[2] += c;
            state[3] += d;
            state[4] += e;
            state[5] += f;
            state[6] += g;
            state[7] += h;
        }
    }
};

}  // namespace ad::digest::sha2
