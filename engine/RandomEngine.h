// The process-wide random generator, shared by "rand" and the falling-characters effect.
#pragma once

#include <cstdint>
#include <random>

// Seeded once from the system's non-deterministic source during static start-up.
extern std::mt19937 randomEngine;

// Reseeds the generator; only for the command line's --seed, before anything draws from it.
void seedRandomEngine(std::uint32_t seed);

// One raw output scaled into [0, 1): x * 2^-32, never 1.
double randomUnit();
