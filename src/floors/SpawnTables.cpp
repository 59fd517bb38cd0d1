#include "floors/SpawnTables.h"

namespace {

// Shadows, Mimic1, Treant1 and the Alchemist never start asleep; every other
// row of every table has a one-in-two chance.
constexpr std::int32_t SleepPercent(std::int32_t type) {
  return type == 319 || type == 320 || type == 321 || type == 361 || type == 364 || type == 367 ? 0 : 50;
}
constexpr SpawnEntry S(std::int32_t type, std::int32_t weight) { return {type, weight, SleepPercent(type)}; }
constexpr SpawnEntry End{SpawnTableEnd, 2, 50};
constexpr SpawnEntry EndOfLab36{SpawnTableEnd, 1, 50};

// STRANGE CAVE floors 1-10 (floor 11 is hand-made).
constexpr SpawnEntry Lite1_1[] = {
    S(256, 3), S(259, 2), S(262, 1), End
};
constexpr SpawnEntry Lite1_2[] = {
    S(256, 1), S(259, 1), S(262, 3), S(307, 2), End
};
constexpr SpawnEntry Lite1_3[] = {
    S(262, 1), S(307, 2), S(265, 3), S(286, 3), S(268, 2), End
};
constexpr SpawnEntry Lite1_4[] = {
    S(265, 1), S(286, 1), S(268, 3), S(295, 3), S(271, 1), S(304, 1), S(310, 1), End
};
constexpr SpawnEntry Lite1_5[] = {
    S(268, 1), S(271, 2), S(304, 3), S(310, 3), S(274, 1), S(298, 1), S(313, 0), S(277, 0), S(316, 0),
    S(319, 0), End
};
constexpr SpawnEntry Lite1_6[] = {
    S(271, 1), S(304, 1), S(310, 1), S(274, 3), S(298, 3), S(313, 3), S(316, 1), S(322, 0), S(325, 0), End
};
constexpr SpawnEntry Lite1_7[] = {
    S(274, 1), S(298, 1), S(313, 1), S(277, 2), S(316, 3), S(325, 2), S(284, 0), S(328, 0), S(257, 0), End
};
constexpr SpawnEntry Lite1_8[] = {
    S(277, 1), S(316, 1), S(319, 0), S(325, 5), S(284, 1), S(328, 1), S(257, 1), S(287, 0), S(263, 0), End
};
constexpr SpawnEntry Lite1_9[] = {
    S(322, 0), S(325, 1), S(284, 3), S(328, 3), S(257, 3), S(287, 1), S(263, 0), S(308, 0), S(290, 1),
    S(275, 0), S(266, 0), End
};
constexpr SpawnEntry Lite1_10[] = {
    S(322, 0), S(325, 0), S(284, 1), S(328, 1), S(257, 1), S(287, 2), S(263, 2), S(308, 2), S(290, 2),
    S(275, 0), S(266, 0), S(292, 1), S(331, 0), S(269, 0), End
};

// PHANTOM FOREST floors 1-6; floor 1 is also LAKE OF MIST floor 1.
constexpr SpawnEntry Level1_1[] = {
    S(256, 3), S(259, 3), S(262, 1), End
};
constexpr SpawnEntry Level1_2[] = {
    S(256, 2), S(259, 3), S(262, 3), End
};
constexpr SpawnEntry Level1_3[] = {
    S(259, 2), S(262, 3), S(265, 3), S(268, 2), End
};
constexpr SpawnEntry Level1_4[] = {
    S(262, 1), S(265, 2), S(268, 3), S(271, 2), End
};
constexpr SpawnEntry Level1_5[] = {
    S(265, 1), S(268, 2), S(271, 3), S(274, 2), S(277, 1), End
};
constexpr SpawnEntry Level1_6[] = {
    S(268, 1), S(271, 2), S(274, 3), S(277, 2), End
};

// LAKE OF MIST floors 2-12.
constexpr SpawnEntry Level2_2[] = {
    S(256, 2), S(259, 3), S(262, 3), S(307, 2), End
};
constexpr SpawnEntry Level2_3[] = {
    S(259, 1), S(262, 2), S(307, 3), S(265, 3), S(286, 3), S(268, 2), End
};
constexpr SpawnEntry Level2_4[] = {
    S(307, 1), S(265, 2), S(286, 2), S(268, 3), S(271, 2), End
};
constexpr SpawnEntry Level2_5[] = {
    S(265, 1), S(286, 1), S(268, 2), S(271, 3), S(274, 2), S(298, 2), S(277, 1), End
};
constexpr SpawnEntry Level2_6[] = {
    S(268, 1), S(271, 2), S(274, 3), S(298, 3), S(277, 2), End
};
constexpr SpawnEntry Level2_7[] = {
    S(274, 2), S(298, 2), S(277, 3), S(280, 1), S(322, 2), End
};
constexpr SpawnEntry Level2_8[] = {
    S(274, 1), S(298, 1), S(277, 3), S(280, 4), S(322, 4), S(257, 2), End
};
constexpr SpawnEntry Level2_9[] = {
    S(277, 1), S(280, 2), S(322, 2), S(257, 3), S(263, 2), End
};
constexpr SpawnEntry Level2_10[] = {
    S(280, 1), S(322, 1), S(257, 2), S(263, 3), S(266, 2), End
};
constexpr SpawnEntry Level2_11[] = {
    S(257, 1), S(263, 2), S(266, 3), S(292, 1), End
};
constexpr SpawnEntry Level2_12[] = {
    S(257, 1), S(263, 1), S(266, 3), S(292, 3), End
};

// FROZEN MOUNTAIN floors 1-18.
constexpr SpawnEntry Level3_1[] = {
    S(256, 3), S(259, 0), S(283, 3), S(262, 2), S(307, 0), End
};
constexpr SpawnEntry Level3_2[] = {
    S(256, 1), S(259, 0), S(283, 3), S(262, 3), S(307, 3), End
};
constexpr SpawnEntry Level3_3[] = {
    S(262, 1), S(307, 2), S(265, 3), S(286, 3), S(289, 0), S(268, 0), S(260, 0), S(295, 2), End
};
constexpr SpawnEntry Level3_4[] = {
    S(265, 1), S(286, 2), S(289, 0), S(268, 0), S(260, 0), S(295, 6), S(271, 0), S(304, 2), S(310, 2), End
};
constexpr SpawnEntry Level3_5[] = {
    S(268, 0), S(260, 0), S(295, 1), S(271, 0), S(304, 3), S(310, 3), S(274, 2), S(298, 2), S(313, 0),
    S(277, 0), S(316, 0), S(319, 0), End
};
constexpr SpawnEntry Level3_6[] = {
    S(271, 0), S(304, 2), S(310, 0), S(274, 3), S(298, 3), S(313, 0), S(277, 0), S(316, 2), S(319, 2),
    S(280, 0), S(322, 0), S(325, 0), End
};
constexpr SpawnEntry Level3_7[] = {
    S(274, 1), S(298, 1), S(313, 0), S(277, 0), S(316, 4), S(319, 4), S(280, 2), S(322, 2), S(325, 2),
    S(284, 0), S(328, 0), S(257, 0), End
};
constexpr SpawnEntry Level3_8[] = {
    S(277, 0), S(316, 1), S(319, 2), S(280, 3), S(322, 3), S(325, 3), S(284, 3), S(328, 0), S(257, 3),
    S(287, 0), S(263, 0), S(308, 0), End
};
constexpr SpawnEntry Level3_9[] = {
    S(280, 2), S(322, 1), S(325, 1), S(284, 6), S(328, 0), S(257, 6), S(287, 4), S(263, 0), S(308, 4),
    S(290, 0), S(274, 0), S(266, 0), End
};
constexpr SpawnEntry Level3_10[] = {
    S(284, 1), S(328, 0), S(257, 2), S(287, 5), S(263, 0), S(308, 4), S(290, 3), S(274, 0), S(266, 3),
    S(292, 0), S(331, 0), S(269, 0), End
};
constexpr SpawnEntry Level3_11[] = {
    S(287, 1), S(263, 0), S(308, 1), S(290, 3), S(274, 0), S(266, 3), S(292, 0), S(331, 2), S(269, 2),
    S(296, 0), S(334, 0), S(261, 0), End
};
constexpr SpawnEntry Level3_12[] = {
    S(290, 2), S(274, 0), S(266, 0), S(292, 0), S(331, 3), S(269, 3), S(296, 0), S(334, 0), S(261, 4),
    S(299, 0), S(272, 0), S(337, 0), End
};
constexpr SpawnEntry Level3_13[] = {
    S(292, 0), S(331, 1), S(269, 1), S(296, 0), S(334, 2), S(261, 4), S(299, 4), S(272, 0), S(337, 0),
    S(278, 0), S(301, 0), S(281, 0), End
};
constexpr SpawnEntry Level3_14[] = {
    S(296, 0), S(334, 1), S(261, 2), S(299, 6), S(272, 0), S(337, 0), S(278, 3), S(301, 3), S(281, 0),
    S(305, 0), S(340, 0), S(343, 0), End
};
constexpr SpawnEntry Level3_15[] = {
    S(299, 2), S(272, 0), S(337, 0), S(278, 3), S(301, 3), S(281, 0), S(305, 2), S(340, 2), S(343, 0),
    S(329, 0), S(267, 0), S(317, 0), End
};
constexpr SpawnEntry Level3_16[] = {
    S(278, 1), S(301, 1), S(281, 0), S(305, 3), S(340, 3), S(343, 0), S(329, 2), S(267, 2), S(317, 0),
    S(314, 0), S(311, 0), S(338, 0), End
};
constexpr SpawnEntry Level3_17[] = {
    S(305, 1), S(340, 1), S(343, 0), S(329, 3), S(267, 3), S(317, 0), S(314, 2), S(311, 0), S(338, 2),
    S(326, 0), S(346, 0), S(293, 0), End
};
constexpr SpawnEntry Level3_18[] = {
    S(329, 1), S(267, 1), S(317, 0), S(314, 4), S(311, 0), S(338, 4), S(326, 0), S(346, 4), S(293, 0),
    S(332, 0), S(323, 0), S(335, 0), End
};

// VOLCANIC DESERT floors 1-24; floors 1 and 2 are also UNTRODDEN REGION floors 1 and 2.
constexpr SpawnEntry Level4_1[] = {
    S(256, 2), S(259, 2), S(283, 2), S(262, 2), S(307, 2), End
};
constexpr SpawnEntry Level4_2[] = {
    S(256, 1), S(259, 1), S(283, 1), S(262, 3), S(307, 3), End
};
constexpr SpawnEntry Level4_3[] = {
    S(262, 0), S(307, 1), S(265, 0), S(286, 4), S(289, 4), S(268, 2), S(260, 2), S(295, 0), End
};
constexpr SpawnEntry Level4_4[] = {
    S(265, 0), S(286, 1), S(289, 2), S(268, 3), S(260, 3), S(295, 0), S(271, 0), S(304, 3), S(310, 3), End
};
constexpr SpawnEntry Level4_5[] = {
    S(268, 0), S(260, 0), S(295, 0), S(271, 0), S(304, 3), S(310, 3), S(274, 1), S(298, 1), S(313, 4),
    S(277, 0), S(316, 0), S(319, 0), End
};
constexpr SpawnEntry Level4_6[] = {
    S(271, 0), S(304, 1), S(310, 0), S(274, 1), S(298, 1), S(313, 4), S(277, 0), S(316, 2), S(319, 2),
    S(280, 0), S(322, 0), S(325, 0), End
};
constexpr SpawnEntry Level4_7[] = {
    S(274, 0), S(298, 0), S(313, 0), S(277, 0), S(316, 4), S(319, 4), S(280, 0), S(322, 3), S(325, 3),
    S(284, 0), S(328, 0), S(257, 0), End
};
constexpr SpawnEntry Level4_8[] = {
    S(277, 0), S(316, 0), S(319, 0), S(280, 0), S(322, 3), S(325, 3), S(284, 0), S(328, 3), S(257, 3),
    S(287, 0), S(263, 0), S(308, 1), End
};
constexpr SpawnEntry Level4_9[] = {
    S(280, 0), S(322, 0), S(325, 0), S(284, 0), S(328, 3), S(257, 3), S(287, 0), S(263, 3), S(308, 3),
    S(290, 0), S(275, 1), S(266, 0), End
};
constexpr SpawnEntry Level4_10[] = {
    S(284, 0), S(328, 0), S(257, 0), S(287, 0), S(263, 3), S(308, 3), S(290, 3), S(275, 3), S(266, 0),
    S(292, 1), S(331, 0), S(269, 0), End
};
constexpr SpawnEntry Level4_11[] = {
    S(287, 0), S(263, 0), S(308, 0), S(290, 3), S(275, 3), S(266, 0), S(292, 3), S(331, 3), S(269, 0),
    S(296, 0), S(334, 1), S(261, 0), End
};
constexpr SpawnEntry Level4_12[] = {
    S(290, 1), S(275, 0), S(266, 0), S(292, 3), S(331, 3), S(269, 0), S(296, 3), S(334, 3), S(261, 0),
    S(299, 0), S(272, 0), S(337, 1), End
};
constexpr SpawnEntry Level4_13[] = {
    S(292, 0), S(331, 0), S(269, 0), S(296, 3), S(334, 3), S(261, 0), S(299, 0), S(272, 3), S(337, 3),
    S(278, 0), S(301, 0), S(281, 2), End
};
constexpr SpawnEntry Level4_14[] = {
    S(296, 0), S(334, 1), S(261, 0), S(299, 0), S(272, 3), S(337, 3), S(278, 0), S(301, 3), S(281, 3),
    S(305, 0), S(340, 0), S(343, 1), End
};
constexpr SpawnEntry Level4_15[] = {
    S(299, 0), S(272, 0), S(337, 1), S(278, 0), S(301, 3), S(281, 3), S(305, 0), S(340, 3), S(343, 2),
    S(329, 0), S(267, 1), S(317, 0), End
};
constexpr SpawnEntry Level4_16[] = {
    S(278, 0), S(301, 0), S(281, 3), S(305, 0), S(340, 3), S(343, 3), S(329, 0), S(267, 3), S(317, 3),
    S(314, 0), S(311, 1), S(338, 0), End
};
constexpr SpawnEntry Level4_17[] = {
    S(278, 0), S(301, 0), S(281, 3), S(305, 0), S(340, 0), S(343, 2), S(329, 0), S(267, 3), S(317, 3),
    S(314, 0), S(311, 3), S(338, 3), S(326, 1), S(346, 0), S(293, 1), End
};
constexpr SpawnEntry Level4_18[] = {
    S(329, 0), S(267, 1), S(317, 0), S(314, 0), S(311, 3), S(338, 3), S(326, 3), S(346, 0), S(293, 3),
    S(332, 0), S(323, 0), S(335, 1), End
};
constexpr SpawnEntry Level4_19[] = {
    S(314, 0), S(311, 3), S(338, 3), S(326, 3), S(346, 0), S(293, 3), S(332, 0), S(323, 3), S(335, 3),
    S(273, 0), S(302, 0), S(320, 1), End
};
constexpr SpawnEntry Level4_20[] = {
    S(326, 0), S(346, 0), S(293, 0), S(332, 0), S(323, 3), S(335, 3), S(273, 3), S(302, 0), S(320, 3),
    S(282, 0), S(341, 0), S(309, 1), End
};
constexpr SpawnEntry Level4_21[] = {
    S(332, 0), S(323, 0), S(335, 1), S(273, 3), S(302, 0), S(320, 3), S(282, 0), S(341, 3), S(309, 3),
    S(285, 0), S(291, 0), S(279, 0), S(344, 2), End
};
constexpr SpawnEntry Level4_22[] = {
    S(273, 3), S(302, 0), S(320, 3), S(282, 0), S(341, 3), S(309, 3), S(285, 0), S(291, 0), S(279, 3),
    S(344, 3), S(347, 0), S(306, 1), S(270, 0), End
};
constexpr SpawnEntry Level4_23[] = {
    S(282, 0), S(341, 0), S(309, 0), S(285, 0), S(291, 0), S(279, 3), S(344, 3), S(347, 3), S(306, 3),
    S(270, 0), S(276, 1), S(264, 1), S(312, 0), End
};
constexpr SpawnEntry Level4_24[] = {
    S(285, 0), S(291, 0), S(279, 0), S(344, 3), S(347, 3), S(306, 3), S(270, 0), S(276, 3), S(264, 3),
    S(312, 0), S(297, 0), S(303, 0), S(330, 3), End
};

// UNTRODDEN REGION floors 3-30.
constexpr SpawnEntry Level5_3[] = {
    S(307, 2), S(265, 2), S(286, 3), S(289, 4), S(268, 3), S(260, 2), End
};
constexpr SpawnEntry Level5_4[] = {
    S(286, 1), S(289, 2), S(268, 3), S(260, 3), S(295, 3), S(271, 2), S(304, 3), S(310, 3), End
};
constexpr SpawnEntry Level5_5[] = {
    S(271, 2), S(304, 3), S(310, 3), S(274, 3), S(298, 3), S(313, 3), End
};
constexpr SpawnEntry Level5_6[] = {
    S(304, 1), S(274, 3), S(298, 3), S(313, 3), S(277, 2), S(316, 3), S(319, 3), S(280, 1), End
};
constexpr SpawnEntry Level5_7[] = {
    S(277, 2), S(316, 3), S(319, 3), S(280, 3), S(322, 3), S(325, 3), End
};
constexpr SpawnEntry Level5_8[] = {
    S(280, 3), S(322, 3), S(325, 3), S(284, 3), S(328, 3), S(257, 3), S(308, 2), End
};
constexpr SpawnEntry Level5_9[] = {
    S(280, 3), S(284, 3), S(328, 3), S(257, 3), S(287, 3), S(263, 3), S(308, 3), S(290, 3), End
};
constexpr SpawnEntry Level5_10[] = {
    S(280, 3), S(287, 3), S(263, 3), S(308, 3), S(290, 3), S(275, 3), S(266, 3), S(292, 3), End
};
constexpr SpawnEntry Level5_11[] = {
    S(290, 3), S(275, 3), S(266, 3), S(292, 3), S(331, 3), S(269, 3), S(334, 3), End
};
constexpr SpawnEntry Level5_12[] = {
    S(292, 3), S(331, 3), S(269, 3), S(296, 3), S(334, 3), S(337, 3), End
};
constexpr SpawnEntry Level5_13[] = {
    S(296, 3), S(334, 3), S(261, 3), S(299, 3), S(272, 3), S(337, 3), S(301, 3), S(281, 3), End
};
constexpr SpawnEntry Level5_14[] = {
    S(334, 3), S(299, 3), S(272, 3), S(337, 3), S(278, 3), S(301, 3), S(281, 3), S(343, 3), End
};
constexpr SpawnEntry Level5_15[] = {
    S(337, 3), S(278, 3), S(301, 3), S(281, 3), S(305, 3), S(340, 3), S(343, 3), S(267, 3), End
};
constexpr SpawnEntry Level5_16[] = {
    S(281, 3), S(305, 3), S(340, 3), S(343, 3), S(329, 3), S(267, 3), S(317, 3), S(338, 3), End
};
constexpr SpawnEntry Level5_17[] = {
    S(281, 3), S(343, 3), S(329, 3), S(267, 3), S(317, 3), S(314, 3), S(311, 3), S(338, 3), S(293, 3), End
};
constexpr SpawnEntry Level5_18[] = {
    S(314, 3), S(311, 3), S(338, 3), S(326, 3), S(346, 3), S(293, 3), S(335, 3), End
};
constexpr SpawnEntry Level5_19[] = {
    S(326, 3), S(346, 3), S(293, 3), S(332, 3), S(323, 3), S(335, 3), S(320, 3), End
};
constexpr SpawnEntry Level5_20[] = {
    S(332, 3), S(323, 3), S(335, 3), S(273, 3), S(302, 3), S(320, 3), S(282, 3), S(309, 3), End
};
constexpr SpawnEntry Level5_21[] = {
    S(273, 3), S(302, 3), S(320, 3), S(282, 3), S(341, 3), S(309, 3), S(285, 0), S(291, 3), S(344, 3), End
};
constexpr SpawnEntry Level5_22[] = {
    S(282, 3), S(341, 3), S(309, 3), S(285, 3), S(291, 3), S(279, 3), S(344, 3), S(306, 3), End
};
constexpr SpawnEntry Level5_23[] = {
    S(282, 3), S(285, 3), S(291, 3), S(279, 3), S(344, 3), S(347, 3), S(306, 3), S(270, 3), S(276, 3), End
};
constexpr SpawnEntry Level5_24[] = {
    S(282, 3), S(344, 3), S(347, 3), S(306, 3), S(270, 3), S(276, 3), S(264, 3), S(312, 3), S(303, 3), End
};
constexpr SpawnEntry Level5_25[] = {
    S(276, 3), S(264, 3), S(312, 3), S(297, 3), S(303, 3), S(330, 3), S(300, 3), End
};
constexpr SpawnEntry Level5_26[] = {
    S(297, 3), S(303, 3), S(330, 3), S(300, 3), S(288, 3), S(294, 3), S(321, 3), End
};
constexpr SpawnEntry Level5_27[] = {
    S(300, 3), S(288, 3), S(294, 3), S(333, 3), S(318, 3), S(321, 3), S(258, 3), End
};
constexpr SpawnEntry Level5_28[] = {
    S(333, 3), S(318, 3), S(321, 3), S(324, 3), S(258, 3), S(315, 3), S(339, 3), End
};
constexpr SpawnEntry Level5_29[] = {
    S(321, 3), S(324, 3), S(258, 3), S(315, 3), S(339, 3), S(327, 3), S(342, 3), S(345, 3), S(336, 3), End
};
constexpr SpawnEntry Level5_30[] = {
    S(339, 3), S(327, 3), S(342, 3), S(345, 6), S(348, 3), S(336, 3), End
};

// ALCHEMIST'S LAB floors 1-37: one table for 34 and 35; 36 and 37 only load
// the pictures of the monsters placed or summoned there.
constexpr SpawnEntry Level6_1[] = {
    S(256, 8), S(259, 8), S(283, 8), S(262, 8), S(307, 8), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_2[] = {
    S(256, 4), S(259, 4), S(283, 4), S(262, 12), S(307, 12), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_3[] = {
    S(262, 2), S(307, 6), S(265, 6), S(286, 8), S(289, 10), S(268, 6), S(295, 4), S(349, 8), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_4[] = {
    S(286, 2), S(289, 4), S(268, 4), S(295, 8), S(349, 10), S(271, 2), S(304, 4), S(310, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_5[] = {
    S(295, 8), S(349, 10), S(271, 4), S(304, 8), S(310, 12), S(274, 4), S(298, 6), S(313, 8), S(355, 2),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_6[] = {
    S(304, 2), S(310, 2), S(274, 8), S(298, 6), S(313, 12), S(277, 2), S(316, 2), S(319, 6), S(355, 6),
    S(280, 2), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_7[] = {
    S(313, 2), S(277, 2), S(316, 2), S(319, 10), S(355, 12), S(280, 6), S(322, 6), S(325, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_8[] = {
    S(319, 4), S(355, 6), S(280, 10), S(322, 10), S(325, 10), S(284, 8), S(328, 8), S(257, 8), S(308, 2),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_9[] = {
    S(280, 4), S(284, 2), S(328, 8), S(257, 6), S(287, 6), S(263, 6), S(308, 6), S(290, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_10[] = {
    S(280, 4), S(287, 8), S(263, 8), S(308, 8), S(290, 8), S(275, 6), S(266, 4), S(292, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_11[] = {
    S(290, 6), S(275, 6), S(266, 2), S(292, 6), S(331, 6), S(269, 2), S(352, 10), S(296, 4), S(334, 4),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_12[] = {
    S(292, 6), S(331, 4), S(269, 2), S(352, 12), S(296, 6), S(334, 6), S(337, 6), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_13[] = {
    S(352, 6), S(296, 6), S(334, 6), S(299, 10), S(337, 10), S(301, 6), S(281, 6), S(358, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_14[] = {
    S(299, 10), S(337, 10), S(278, 6), S(301, 6), S(281, 6), S(358, 10), S(343, 6), S(361, 1), S(364, 1),
    End
};
constexpr SpawnEntry Level6_15[] = {
    S(337, 6), S(301, 6), S(281, 6), S(358, 10), S(305, 2), S(340, 2), S(343, 6), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_16[] = {
    S(281, 6), S(358, 6), S(305, 6), S(340, 2), S(343, 6), S(329, 6), S(338, 4), S(356, 4), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_17[] = {
    S(343, 6), S(329, 6), S(267, 6), S(317, 6), S(314, 6), S(311, 2), S(338, 4), S(356, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_18[] = {
    S(314, 6), S(311, 4), S(338, 6), S(356, 10), S(326, 6), S(346, 6), S(293, 4), S(335, 2), S(350, 6),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_19[] = {
    S(356, 6), S(326, 6), S(346, 6), S(293, 6), S(332, 2), S(323, 2), S(335, 6), S(350, 6), S(320, 4),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_20[] = {
    S(332, 2), S(323, 6), S(335, 6), S(350, 8), S(273, 0), S(302, 6), S(320, 6), S(282, 4), S(341, 0),
    S(309, 4), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_21[] = {
    S(350, 6), S(302, 6), S(320, 6), S(282, 6), S(341, 2), S(309, 6), S(291, 6), S(344, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_22[] = {
    S(282, 6), S(341, 2), S(309, 6), S(285, 4), S(291, 6), S(279, 2), S(344, 6), S(359, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_23[] = {
    S(282, 6), S(285, 2), S(291, 6), S(279, 2), S(344, 6), S(347, 4), S(306, 2), S(270, 2), S(359, 8),
    S(276, 4), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_24[] = {
    S(282, 6), S(344, 6), S(347, 6), S(306, 6), S(270, 6), S(359, 6), S(276, 6), S(264, 4), S(312, 2),
    S(330, 4), S(353, 4), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_25[] = {
    S(359, 6), S(276, 6), S(264, 4), S(312, 2), S(297, 6), S(303, 6), S(330, 6), S(353, 8), S(300, 6),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_26[] = {
    S(297, 6), S(303, 6), S(330, 6), S(353, 8), S(300, 6), S(288, 4), S(294, 4), S(321, 4), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_27[] = {
    S(353, 4), S(300, 6), S(288, 4), S(294, 4), S(333, 2), S(318, 2), S(321, 6), S(258, 6), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry Level6_28[] = {
    S(333, 2), S(318, 2), S(321, 4), S(324, 6), S(258, 6), S(315, 6), S(339, 6), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_29[] = {
    S(321, 4), S(324, 6), S(258, 6), S(315, 6), S(339, 6), S(327, 6), S(342, 6), S(345, 6), S(348, 0),
    S(336, 6), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_30[] = {
    S(321, 4), S(258, 6), S(339, 6), S(327, 6), S(342, 6), S(345, 12), S(348, 6), S(336, 6), S(351, 6),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_31[] = {
    S(321, 2), S(324, 0), S(258, 2), S(339, 4), S(345, 8), S(348, 6), S(336, 6), S(351, 6), S(357, 6),
    S(354, 4), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_32[] = {
    S(321, 2), S(258, 2), S(339, 4), S(345, 6), S(348, 2), S(336, 2), S(351, 8), S(357, 8), S(354, 6),
    S(360, 4), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_33[] = {
    S(321, 2), S(258, 2), S(339, 2), S(345, 4), S(336, 2), S(351, 6), S(357, 6), S(354, 6), S(360, 4),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_34[] = {
    S(321, 2), S(258, 2), S(339, 2), S(345, 2), S(336, 2), S(351, 6), S(357, 6), S(354, 6), S(360, 6),
    S(361, 1), S(364, 1), End
};
constexpr SpawnEntry Level6_36[] = {
    S(345, 0), S(348, 0), S(336, 0), S(351, 0), S(357, 0), S(354, 0), S(360, 0), S(361, 0), S(364, 0),
    EndOfLab36
};
constexpr SpawnEntry Level6_37[] = {
    S(367, 0), S(291, 0), S(348, 0), S(327, 0), S(336, 0), S(345, 0), S(354, 0), End
};

// ETERNAL GALLERY: one table per area.
constexpr SpawnEntry X1Grass1[] = {
    S(256, 9), S(259, 9), S(265, 9), S(268, 9), S(277, 9), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Lake1[] = {
    S(295, 7), S(271, 7), S(304, 7), S(266, 7), S(307, 7), S(274, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1SnowField1[] = {
    S(283, 7), S(262, 7), S(289, 7), S(280, 7), S(305, 7), S(298, 7), S(286, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Cave1[] = {
    S(316, 7), S(260, 7), S(310, 7), S(292, 7), S(269, 7), S(287, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Cave2[] = {
    S(296, 7), S(263, 7), S(313, 7), S(325, 7), S(301, 7), S(308, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Ice1[] = {
    S(297, 7), S(273, 7), S(337, 7), S(314, 7), S(279, 7), S(267, 7), S(335, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Mountain1[] = {
    S(322, 7), S(272, 7), S(311, 7), S(278, 7), S(257, 7), S(299, 7), S(343, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Desert1[] = {
    S(323, 7), S(332, 7), S(326, 7), S(281, 7), S(320, 7), S(275, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Volcano1[] = {
    S(318, 7), S(346, 7), S(338, 7), S(290, 7), S(306, 7), S(344, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Castle1[] = {
    S(264, 7), S(347, 7), S(258, 7), S(315, 7), S(333, 7), S(312, 7), S(309, 7), S(276, 7), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry X1Castle2[] = {
    S(324, 7), S(342, 7), S(339, 7), S(327, 7), S(282, 7), S(345, 7), S(300, 7), S(336, 7), S(361, 1),
    S(364, 1), End
};
constexpr SpawnEntry X1Tower1[] = {
    S(284, 7), S(349, 7), S(331, 7), S(328, 7), S(293, 7), S(319, 7), S(355, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Tower2[] = {
    S(317, 7), S(340, 7), S(358, 7), S(352, 7), S(329, 7), S(334, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Tower3[] = {
    S(261, 7), S(341, 7), S(350, 7), S(294, 7), S(330, 7), S(302, 7), S(356, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Tower4[] = {
    S(285, 7), S(359, 7), S(353, 7), S(291, 7), S(270, 7), S(288, 7), S(361, 1), S(364, 1), End
};
constexpr SpawnEntry X1Lab1[] = {
    S(348, 7), S(360, 7), S(351, 7), S(354, 7), S(303, 7), S(321, 7), S(357, 7), S(361, 1), S(364, 1), End
};

// The table of every fixed floor, in floor order (index = GetFixedFloorIndex);
// null for the hand-made last floors.
constexpr const SpawnEntry* FloorTables[FixedFloorCount] = {
    // Lite1 1-11
    Lite1_1, Lite1_2, Lite1_3, Lite1_4, Lite1_5, Lite1_6, Lite1_7, Lite1_8, Lite1_9, Lite1_10, nullptr,
    // Level1 1-7
    Level1_1, Level1_2, Level1_3, Level1_4, Level1_5, Level1_6, nullptr,
    // Level2 1-13
    Level1_1, Level2_2, Level2_3, Level2_4, Level2_5, Level2_6, Level2_7, Level2_8, Level2_9, Level2_10,
    Level2_11, Level2_12, nullptr,
    // Level3 1-19
    Level3_1, Level3_2, Level3_3, Level3_4, Level3_5, Level3_6, Level3_7, Level3_8, Level3_9, Level3_10,
    Level3_11, Level3_12, Level3_13, Level3_14, Level3_15, Level3_16, Level3_17, Level3_18, nullptr,
    // Level4 1-25
    Level4_1, Level4_2, Level4_3, Level4_4, Level4_5, Level4_6, Level4_7, Level4_8, Level4_9, Level4_10,
    Level4_11, Level4_12, Level4_13, Level4_14, Level4_15, Level4_16, Level4_17, Level4_18, Level4_19,
    Level4_20, Level4_21, Level4_22, Level4_23, Level4_24, nullptr,
    // Level5 1-31
    Level4_1, Level4_2, Level5_3, Level5_4, Level5_5, Level5_6, Level5_7, Level5_8, Level5_9, Level5_10,
    Level5_11, Level5_12, Level5_13, Level5_14, Level5_15, Level5_16, Level5_17, Level5_18, Level5_19,
    Level5_20, Level5_21, Level5_22, Level5_23, Level5_24, Level5_25, Level5_26, Level5_27, Level5_28,
    Level5_29, Level5_30, nullptr,
    // Level6 1-37
    Level6_1, Level6_2, Level6_3, Level6_4, Level6_5, Level6_6, Level6_7, Level6_8, Level6_9, Level6_10,
    Level6_11, Level6_12, Level6_13, Level6_14, Level6_15, Level6_16, Level6_17, Level6_18, Level6_19,
    Level6_20, Level6_21, Level6_22, Level6_23, Level6_24, Level6_25, Level6_26, Level6_27, Level6_28,
    Level6_29, Level6_30, Level6_31, Level6_32, Level6_33, Level6_34, Level6_34, Level6_36, Level6_37,
};

// The gallery areas 801-816.
constexpr const SpawnEntry* GalleryTables[GalleryAreaCount] = {
    X1Grass1, X1Cave1, X1Cave2, X1Lake1, X1Mountain1, X1SnowField1,
    X1Ice1, X1Desert1, X1Volcano1, X1Castle1, X1Castle2, X1Tower1,
    X1Tower2, X1Tower3, X1Tower4, X1Lab1,
};

// The gallery dungeon's own table: every type 256-360 with weight 3, then the
// Mimic and the Treant with 20.
struct GalleryBaseTable {
  SpawnEntry Rows[108];
};
constexpr GalleryBaseTable MakeGalleryBaseTable() {
  GalleryBaseTable table{};
  int row = 0;
  for (std::int32_t type = 256; type <= 360; ++type) table.Rows[row++] = S(type, 3);
  table.Rows[row++] = S(361, 20);
  table.Rows[row++] = S(364, 20);
  table.Rows[row] = End;
  return table;
}
constexpr GalleryBaseTable GalleryBase = MakeGalleryBaseTable();

}  // namespace

const SpawnEntry* GetFloorSpawnTable(StageId id) {
  const int index = GetFixedFloorIndex(id);
  return index < 0 ? nullptr : FloorTables[index];
}

const SpawnEntry* GetGalleryAreaSpawnTable(StageId id) {
  if (id < GalleryFirstArea || id > GalleryLastArea) return nullptr;
  return GalleryTables[id - GalleryFirstArea];
}

const SpawnEntry* GetGalleryBaseSpawnTable() { return GalleryBase.Rows; }

int CountSpawnRows(const SpawnEntry* table) {
  int rows = 0;
  if (table != nullptr) {
    while (table[rows].Type != SpawnTableEnd) ++rows;
  }
  return rows;
}

int GetSpawnTotalWeight(const SpawnEntry* table) {
  int total = 0;
  if (table != nullptr) {
    for (const SpawnEntry* row = table; row->Type != SpawnTableEnd; ++row) total += row->Weight;
  }
  return total;
}

const SpawnEntry* GetSpawnRowForRoll(const SpawnEntry* table, int roll) {
  if (table == nullptr || roll < 0) return nullptr;
  for (const SpawnEntry* row = table; row->Type != SpawnTableEnd; ++row) {
    if (roll < row->Weight) return row;
    roll -= row->Weight;
  }
  return nullptr;
}
