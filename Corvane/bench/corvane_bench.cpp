int bench_placeholder;
