#pragma once

class CCharacterPlayer;
