#pragma once
// Large tables for the benches, generated on the server from a seed so that every run sees the same rows.

#include <mysql.h>

#include <string>

// A raw connection to the private server (the figures' baseline talks to the server this way too).
MYSQL* BenchConnect(const std::string& database = {});

// Makes sure database `name` holds `rows` generated `vales` rows (built once, reused by later runs).
void EnsureBenchVales(const std::string& name, long rows, unsigned seed);

// Runs a statement; aborts the bench with the server's message on failure.
void BenchExec(MYSQL* m, const std::string& sql);

// Bytes the server has sent on this connection so far.
unsigned long long BytesSent(MYSQL* m);

// Milliseconds of steady clock.
double NowMs();

// The resident set in bytes (after handing freed heap back, so that it reflects what is held).
long long ResidentBytes();
